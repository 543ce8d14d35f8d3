#include "CliRunner.h"

#include <QProcess>

Outcome Marbelle(const QStringList& arguments) {
  QProcess process;
  process.start(MARBELLE_CLI, arguments);
  process.waitForFinished(120000);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

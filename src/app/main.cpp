#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

#include "app/DialogQuestions.h"
#include "app/MainWindow.h"
#include "app/QtText.h"
#include "platform/ProgramHome.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("UT Marbelle");
  QApplication::setDesktopFileName("utmarbelle");

  QCommandLineParser parser;
  parser.setApplicationDescription("Makes player skins for Unreal Tournament.");
  parser.addHelpOption();
  const QCommandLineOption homeOption(
      "home", "The program home: settings, model definitions, CustomModels/ and relative texture paths.", "DIR");
  parser.addOption(homeOption);
  parser.addPositionalArgument("project", "A project file to open.", "[FILE.mrb]");
  parser.process(application);

  std::filesystem::path home;
  try {
    home = platform::ResolveProgramHome(parser.isSet(homeOption)
                                            ? std::optional(app::QStringToPath(parser.value(homeOption)))
                                            : std::nullopt);
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, "UT Marbelle", app::ToQString(e.what()));
    return 1;
  }

  app::DialogQuestions questions(app::PathToQString(home));
  app::MainWindow window(home, questions);
  questions.SetOwner(&window);
  window.ShowWithLastLayout();
  if (!parser.positionalArguments().isEmpty()) window.OpenProject(app::QStringToPath(parser.positionalArguments().front()));
  return QApplication::exec();
}

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>
#include <cstring>

#include "app/DialogQuestions.h"
#include "app/MainWindow.h"
#include "app/QtText.h"
#include "platform/ProgramHome.h"

namespace {

const QCommandLineOption HomeOption(
    "home", "The program home: settings, model definitions, CustomModels/ and relative texture paths.", "DIR");

void DescribeOptions(QCommandLineParser& parser) {
  parser.setApplicationDescription("Makes player skins for Unreal Tournament.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption(HomeOption);
  parser.addPositionalArgument("project", "A project file to open.", "[FILE.mrb]");
}

bool AsksForTextOnly(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    for (const char* option : {"-h", "--help", "--help-all", "-v", "--version"})
      if (std::strcmp(argv[i], option) == 0) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication::setApplicationVersion(MARBELLE_VERSION);
  QCommandLineParser parser;
  DescribeOptions(parser);
  if (AsksForTextOnly(argc, argv)) {
    // Answered without a display, under the command's own name as marbelle answers.
    QCoreApplication text(argc, argv);
    QCoreApplication::setApplicationName("utmarbelle");
    parser.process(text);
  }

  QApplication application(argc, argv);
  QApplication::setApplicationName("UT Marbelle");
  QApplication::setDesktopFileName("utmarbelle");
  QApplication::setWindowIcon(QIcon::fromTheme("utmarbelle"));
  parser.process(application);

  std::filesystem::path home;
  try {
    home = platform::ResolveProgramHome(parser.isSet(HomeOption)
                                            ? std::optional(app::QStringToPath(parser.value(HomeOption)))
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

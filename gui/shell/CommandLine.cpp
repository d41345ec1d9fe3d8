#include "gui/shell/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

#include "core/base/Version.h"

namespace brisca {
namespace {

struct Parser {
  QCommandLineParser parser;
  QCommandLineOption help = parser.addHelpOption();
  QCommandLineOption version = parser.addVersionOption();

  Parser() {
    // Qt's own single-dash options (-reverse, -style ...) are words, not bundles
    // of letters: "-reverse" must not read as -v.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Brisca builds an engine from components and runs it on a simulated dynamometer."));
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("Engine files (.qen) to open, each in its own window."),
                                 QStringLiteral("[FILE...]"));
  }
};

}  // namespace

std::optional<int> AnswerInformationOptions(int argc, char* argv[]) {
  // The parser's help names the program and its version through the
  // application object; a core one needs no display.
  QCoreApplication core(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("brisca"));
  QCoreApplication::setApplicationVersion(QString::fromLatin1(ProgramVersion()));
  Parser p;
  // Options of Qt's own (-platform, -style ...) are left for the QApplication:
  // only the two questions are answered here.
  p.parser.parse(QCoreApplication::arguments());
  if (p.parser.isSet(p.help) || p.parser.isSet(QStringLiteral("help-all"))) {
    std::fputs(qPrintable(p.parser.helpText()), stdout);
    return 0;
  }
  if (p.parser.isSet(p.version)) {
    std::printf("brisca %s\n", ProgramVersion());
    return 0;
  }
  return std::nullopt;
}

QStringList EngineFilesOfCommandLine(const QStringList& arguments) {
  Parser p;
  p.parser.parse(arguments);
  QStringList files;
  for (const QString& argument : p.parser.positionalArguments()) {
    files << QFileInfo(argument).absoluteFilePath();
  }
  return files;
}

}  // namespace brisca

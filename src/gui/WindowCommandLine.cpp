#include "gui/WindowCommandLine.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace tarnwick {
namespace {

// The options every Qt application takes; QApplication reads them from argv itself.
const char* const kQtValueOptions[] = {
    "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
    "style",       "stylesheet",         "qmljsdebugger"};
const char* const kQtSwitches[] = {"reverse", "widgetcount"};

QCommandLineOption Hidden(QCommandLineOption option) {
  option.setFlags(QCommandLineOption::HiddenFromHelp);
  return option;
}

// The argument that spelled an unknown option, without any "=value" ("--bogus" for the name
// "bogus").
QString SpelledOption(const QStringList& arguments, const QString& name) {
  for (const QString& argument : arguments) {
    const QString spelled = argument.section(QLatin1Char('='), 0, 0);
    qsizetype dashes = 0;
    while (dashes < spelled.size() && spelled[dashes] == QLatin1Char('-')) ++dashes;
    if (dashes > 0 && spelled.mid(dashes) == name) return spelled;
  }
  return QStringLiteral("--") + name;
}

}  // namespace

WindowCommandLine ParseWindowCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  // Qt's options are written with one dash; ours are written with two, and work with one.
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringLiteral("version"));
  const QCommandLineOption selfTest(QStringLiteral("self-test"));
  parser.addOptions({help, version, selfTest});
  for (const char* name : kQtValueOptions) {
    parser.addOption(
        Hidden(QCommandLineOption(QString::fromLatin1(name), {}, QStringLiteral("value"))));
  }
  for (const char* name : kQtSwitches)
    parser.addOption(Hidden(QCommandLineOption(QString::fromLatin1(name))));

  WindowCommandLine result;
  // QCommandLineParser expects the program's name first.
  if (!parser.parse(QStringList(QStringLiteral("tarnwick")) + arguments)) {
    result.action = WindowCommandLine::Action::Refuse;
    const QStringList unknown = parser.unknownOptionNames();
    result.error = unknown.isEmpty()
                       ? QStringLiteral("オプション %1 には値が必要です").arg(arguments.last())
                       : QStringLiteral("不明なオプション %1 です")
                             .arg(SpelledOption(arguments, unknown.first()));
    return result;
  }
  if (parser.isSet(help)) {
    result.action = WindowCommandLine::Action::ShowHelp;
  } else if (parser.isSet(version)) {
    result.action = WindowCommandLine::Action::ShowVersion;
  }
  result.files = parser.positionalArguments();
  result.selfTest = parser.isSet(selfTest);
  return result;
}

QString WindowUsageText() {
  return QStringLiteral(
      "使い方: tarnwick [オプション] [データベース.mdb]\n"
      "\n"
      "学習用SQLコンソール Tarnwick のウィンドウを開きます。拡張子 .mdb のファイル\n"
      "（拡張子が違っても Tarnwick のデータベース）を指定すると、そのデータベースに\n"
      "接続します。Access のファイルや他のプログラムの SQLite データベースは開かずに、\n"
      "取り込んだ新しいデータベースを作るか尋ねます。指定しないときは、Tarnwick.ini\n"
      "（プログラムの横、なければ share/tarnwick/）が指定するデータベース、なければ\n"
      "プログラムの横の default.mdb（インストールしたプログラムやそこに書き込めない\n"
      "ときは ~/.local/share/tarnwick/default.mdb）を使います。\n"
      "\n"
      "  -h, --help     この説明を表示して終了します\n"
      "  --version      バージョンを表示して終了します\n"
      "  --self-test    ウィンドウを開いて最初に描画したあと、ヘルプを開いてその場所を\n"
      "                 表示し、終了します（インストールの確認用。ヘルプが見つからない\n"
      "                 ときの終了ステータスは 1）\n"
      "  --             これより後の引数はオプションとして扱いません\n"
      "\n"
      "Qt の標準オプション（-platform、-style など）も使えます。\n");
}

}  // namespace tarnwick

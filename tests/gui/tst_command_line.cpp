// The window's command line: the database argument among Qt's own options, --help,
// --version, --self-test, and wrong options told in one line.
#include <QTest>

#include "gui/WindowCommandLine.h"

using namespace tarnwick;
using Action = WindowCommandLine::Action;

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void argumentsOptionsAndWrongOptions() {
    struct Case {
      QStringList arguments;
      Action action;
      QStringList files;
      QString errorNames;  // the option a refusal names
    };
    const Case cases[] = {
        {{}, Action::OpenWindow, {}, {}},
        {{"データ/x.mdb"}, Action::OpenWindow, {"データ/x.mdb"}, {}},
        // Qt's options, with their values, are not files.
        {{"-platform", "offscreen", "x.mdb"}, Action::OpenWindow, {"x.mdb"}, {}},
        {{"--style=fusion", "-reverse", "a.mdb", "b"}, Action::OpenWindow, {"a.mdb", "b"}, {}},
        {{"--", "-x.mdb"}, Action::OpenWindow, {"-x.mdb"}, {}},
        {{"x.mdb", "--help"}, Action::ShowHelp, {"x.mdb"}, {}},
        {{"-h"}, Action::ShowHelp, {}, {}},
        {{"--version"}, Action::ShowVersion, {}, {}},
        {{"--bogus", "x.mdb"}, Action::Refuse, {}, "--bogus"},
        {{"-bogus=1"}, Action::Refuse, {}, "-bogus"},
        {{"x.mdb", "--self-tst", "--help"}, Action::Refuse, {}, "--self-tst"},
        {{"x.mdb", "-platform"}, Action::Refuse, {}, "-platform"},
    };
    for (const Case& c : cases) {
      const WindowCommandLine parsed = ParseWindowCommandLine(c.arguments);
      const QByteArray trace = c.arguments.join(QLatin1Char(' ')).toUtf8();
      QVERIFY2(parsed.action == c.action, trace);
      QVERIFY2(!parsed.selfTest, trace);
      if (c.action == Action::Refuse) {
        QVERIFY2(parsed.error.contains(c.errorNames + QStringLiteral(" ")),
                 qPrintable(parsed.error));
        QVERIFY2(!parsed.error.contains(QLatin1Char('\n')), qPrintable(parsed.error));
      } else {
        QCOMPARE(parsed.files, c.files);
      }
    }
    const WindowCommandLine selfTest = ParseWindowCommandLine({"--self-test", "x.mdb"});
    QVERIFY(selfTest.action == Action::OpenWindow && selfTest.selfTest);
    QCOMPARE(selfTest.files, QStringList{"x.mdb"});
  }
};

QTEST_MAIN(CommandLineTest)
#include "tst_command_line.moc"

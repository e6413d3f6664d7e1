#include "runner/RunnerOptions.h"

namespace tarnwick::runner {
namespace {

// Takes the value of an option that needs one; throws when the line ends first.
const std::string& OptionValue(const std::vector<std::string>& arguments, std::size_t& index) {
  if (index + 1 >= arguments.size()) {
    throw UsageError("option " + arguments[index] + " needs an argument");
  }
  return arguments[++index];
}

RunnerInput ScriptInput(const std::string& argument) {
  if (argument == "-") return {RunnerInput::Kind::StandardInput, {}};
  return {RunnerInput::Kind::ScriptFile, argument};
}

}  // namespace

RunnerOptions ParseRunnerOptions(const std::vector<std::string>& arguments) {
  RunnerOptions options;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument == "-" || argument.empty() || argument[0] != '-') {
      options.inputs.push_back(ScriptInput(argument));
    } else if (argument == "--") {
      optionsEnded = true;
    } else if (argument == "--db") {
      options.databasePath = OptionValue(arguments, i);
    } else if (argument == "--new") {
      options.recreateDatabase = true;
    } else if (argument == "--import") {
      options.inputs.push_back({RunnerInput::Kind::ImportDatabase, OptionValue(arguments, i)});
    } else if (argument == "--compact") {
      options.compactDatabase = true;
    } else if (argument == "--sjis") {
      options.sjisOutput = true;
    } else if (argument == "-c") {
      options.inputs.push_back({RunnerInput::Kind::CommandText, OptionValue(arguments, i)});
    } else if (argument == "-h" || argument == "--help") {
      options.showHelp = true;
    } else {
      throw UsageError("unknown option " + argument);
    }
  }
  if (options.databasePath && options.databasePath->empty()) {
    throw UsageError("option --db needs a file name");
  }
  if (options.inputs.empty()) options.inputs.push_back({RunnerInput::Kind::StandardInput, {}});
  return options;
}

const char* UsageText() {
  return "usage: tarnwick-run [--db FILE] [--new] [--compact] [--sjis]\n"
         "                    [-c TEXT | SCRIPT | --import FILE]...\n"
         "\n"
         "Runs SQL statements on a Tarnwick database and writes the console's transcript\n"
         "(each statement, then its grid, OK or ERROR! and the message) to standard output.\n"
         "\n"
         "  --db FILE      the database file; its descriptor (FILE with the extension .udl)\n"
         "                 is written beside it. Without --db, the database that the window\n"
         "                 would choose: as Tarnwick.ini beside the program says, else\n"
         "                 default.mdb beside the program\n"
         "  --new          empty the database first (a file that is no database is\n"
         "                 replaced only when --db names it)\n"
         "  --compact      compact the database when the run ends\n"
         "  --sjis         write the transcript in Shift-JIS with CR LF (default: UTF-8, LF)\n"
         "  -c TEXT        run TEXT as typed into the SQL pane\n"
         "  SCRIPT         run a script file (UTF-8, UTF-16 or Shift-JIS); - is standard input\n"
         "  --import FILE  take over every table of the database FILE\n"
         "  --             the arguments after it are script files\n"
         "\n"
         "With no -c, SCRIPT or --import, the script is read from standard input.\n"
         "A transaction left open is rolled back at the end.\n"
         "Exit status: 0 all succeeded, 1 a statement or the import of a table failed\n"
         "or an open transaction was rolled back,\n"
         "2 the database could not be opened or compacted, a file could not be read or\n"
         "written, or the command line was wrong.\n";
}

}  // namespace tarnwick::runner

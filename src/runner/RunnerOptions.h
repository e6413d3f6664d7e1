#pragma once
// The command line of tarnwick-run.
#include <optional>
#include <string>
#include <vector>

#include "text/CommandLineOptions.h"

namespace tarnwick::runner {

// One thing to run, in command-line order.
struct RunnerInput {
  enum class Kind { CommandText, ScriptFile, StandardInput, ImportDatabase };
  Kind kind;
  std::string utf8;  // the -c text, the script file's or the imported database's path (UTF-8)
};

struct RunnerOptions {
  std::optional<std::string> databasePath;  // --db, UTF-8 as given; also --sample's file
  std::optional<std::string> sampleCopy;    // --sample: a fresh copy of the sample database
                                            // there, which becomes the database
  bool recreateDatabase = false;            // --new
  bool compactDatabase = false;             // --compact
  bool sjisOutput = false;                  // --sjis
  bool showHelp = false;                    // -h, --help
  bool showVersion = false;                 // --version
  std::optional<double> timeoutSeconds;     // --timeout: the longest a statement may run
  std::optional<bool> engineDialect;        // --dialect: engine (true) or jet (false)
  std::vector<RunnerInput> inputs;          // standard input alone when none was named
                                            // (none after --sample)
};

// Parses the arguments after the program name. Throws UsageError.
RunnerOptions ParseRunnerOptions(const std::vector<std::string>& arguments);

// The usage text of --help (UTF-8, LF line ends).
const char* UsageText();

}  // namespace tarnwick::runner

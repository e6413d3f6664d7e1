#pragma once
// The command line of tarnwick-grade.
#include <string>
#include <vector>

#include "text/CommandLineOptions.h"

namespace tarnwick::grader {

struct GraderOptions {
  std::string classDatabase;              // --db, UTF-8 as given
  std::string answers;                    // --answers
  std::string csvReport;                  // --csv; empty: none
  std::string htmlReport;                 // --html; empty: none
  double timeoutSeconds = 10;             // --timeout: the longest one statement may run
  unsigned jobs = 0;                      // --jobs; 0: one per processor
  std::vector<std::string> studentFiles;  // in command-line order
  bool showHelp = false;
  bool showVersion = false;
};

// Parses the arguments after the program name. Throws UsageError, also when --db, --answers
// or every student's file is missing (unless help or the version is asked for).
GraderOptions ParseGraderOptions(const std::vector<std::string>& arguments);

// The usage text of --help (UTF-8, LF line ends).
const char* GraderUsageText();

}  // namespace tarnwick::grader

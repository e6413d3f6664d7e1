// tarnwick-grade: runs each learner's SQL file as the console would and marks its exercises
// against the teacher's model answers.
#include <cstdio>
#include <string>
#include <vector>

#include "grader/GraderMain.h"
#include "grader/GraderOptions.h"
#include "text/ProgramInfo.h"

int main(int argc, char** argv) {
  using namespace tarnwick::grader;
  GraderOptions options;
  try {
    options = ParseGraderOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const tarnwick::UsageError& error) {
    std::fprintf(stderr, "tarnwick-grade: %s。使い方は tarnwick-grade --help で表示されます\n",
                 error.what());
    return kCannotGrade;
  }
  if (options.showHelp || options.showVersion) {
    std::fputs(
        options.showHelp ? GraderUsageText() : tarnwick::VersionText("tarnwick-grade").c_str(),
        stdout);
    return kGraded;
  }
  return RunGrader(options);
}

// tarnwick-run: runs SQL on a Tarnwick database from the command line and writes the
// console's transcript to standard output.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "runner/RunnerOptions.h"
#include "runner/RunnerSession.h"
#include "text/Cp932.h"
#include "text/ProgramFolders.h"
#include "text/ProgramInfo.h"

int main(int argc, char** argv) {
  using namespace tarnwick::runner;
  RunnerOptions options;
  try {
    options = ParseRunnerOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const tarnwick::UsageError& error) {
    std::fprintf(stderr, "tarnwick-run: %s。使い方は tarnwick-run --help で表示されます\n",
                 error.what());
    return kCannotRun;
  }
  // Help and version come before anything else: no database is opened.
  if (options.showHelp) {
    std::fputs(UsageText(), stdout);
    std::printf("\nヘルプ（SQL と関数の説明、メッセージの一覧、チュートリアル）:\n  %s\n",
                tarnwick::SjisToUtf8(tarnwick::HelpFilePath(tarnwick::ExecutableDir())).c_str());
    return kAllSucceeded;
  }
  if (options.showVersion) {
    std::fputs(tarnwick::VersionText("tarnwick-run").c_str(), stdout);
    return kAllSucceeded;
  }
  // Large transcripts (a grid of many rows) go out in blocks of 64 KiB: few system calls,
  // and little memory next to the grid the console holds. A terminal keeps its line
  // buffering so that a long script shows its progress.
  if (!isatty(STDOUT_FILENO)) {
    static char buffer[1 << 16];
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
  }
  return RunSession(options, stdout);
}

// help_examples_update [HELP.html]: writes into the help document, as the result of each of its
// examples, what tarnwick-run prints for the example on a fresh copy of the sample database
// (the examples test compares the same). For the help's author: after writing an example, or
// after an intended change in the console's output, run it and read the differences (git diff)
// before committing them. Prints how many results changed.
#include <cstdio>
#include <exception>
#include <fstream>

#include "help/HelpDocument.h"
#include "support/TempDir.h"

int main(int argc, char** argv) {
  using namespace tarnwick::test;
  const std::filesystem::path help = argc > 1 ? argv[1] : TARNWICK_HELP_SOURCE;
  try {
    const std::string html = ReadText(help);
    const std::vector<HelpExample> examples = HelpExamples(html);
    TempDir folder;
    std::string updated;
    std::size_t copied = 0;
    int changed = 0;
    for (const HelpExample& example : examples) {
      const std::string printed(
          WithoutTrailingLineBreaks(RunOnSampleCopy(example.sql, folder.Path())));
      if (printed != WithoutTrailingLineBreaks(example.result)) ++changed;
      updated.append(html, copied, example.resultBegin - copied);
      updated += EncodeHtml(printed);
      copied = example.resultEnd;
    }
    updated.append(html, copied);
    std::ofstream(help, std::ios::binary) << updated;
    std::printf("%zu examples, %d results changed\n", examples.size(), changed);
    return 0;
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "help_examples_update: %s\n", failure.what());
    return 1;
  }
}

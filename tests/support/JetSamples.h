#pragma once
// The Jet (Access) sample files the tests read (never copied into the repository), mdbtools'
// programs that print what those files hold, and patched copies of them.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "support/TempDir.h"

namespace tarnwick::test {

// The folder of the sample files as the build names it, or empty when it is absent.
std::string JetSamplesFolder();

// Skips the test, saying why, when the sample files are not there.
#define REQUIRE_JET_SAMPLES()                                                           \
  if (::tarnwick::test::JetSamplesFolder().empty())                                     \
  GTEST_SKIP() << "the Jet sample files are missing (TARNWICK_JET_SAMPLES, by default " \
                  "../shared/jet-samples beside the repository)"

std::string JetSample(std::string_view name);

// A writable copy of a sample in the folder, with the given name.
std::string CopyOfSample(const TempDir& dir, std::string_view sample, std::string_view name);

// Replaces the one occurrence of `from` in a file with `to` (the same length); fails the test
// when it does not occur exactly once.
void ReplaceOnce(const std::string& path, std::string_view from, std::string_view to);
// Writes bytes over a file at an offset.
void Overwrite(const std::string& path, std::size_t offset, std::string_view bytes);

// The standard output of a program (mdbtools' mdb-export and mdb-schema), failing the test
// when it does not end well.
std::string ProgramOutput(const std::vector<std::string>& arguments);

// The rows mdb-export prints for a table, each a list of cells; a NULL cell is kNullCell.
// Dates are written "YYYY-MM-DD HH:MM:SS", binary values in hexadecimal.
inline constexpr std::string_view kNullCell = "\x1d<NULL>";
std::vector<std::vector<std::string>> ExportedRows(const std::string& file,
                                                   const std::string& table);

}  // namespace tarnwick::test

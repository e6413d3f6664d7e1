#pragma once
// The sample database that comes with the program ("販売管理": departments, staff, customers,
// goods and orders), which the tutorial and the help's examples use. The learner works on a
// copy of it (WriteSampleCopy, DatabaseFiles.h).
#include <string>
#include <string_view>

namespace tarnwick {

inline constexpr std::string_view kSampleDatabaseName = "tarnwick-sample.mdb";

// The sample for programs in exeDir (console text): beside them (a build), else among the
// installation's shared files.
std::string SampleDatabasePath(std::string_view exeDir);

// Where the window keeps the learner's copy: the per-user data folder (created when missing;
// throws TarnwickError when it cannot be).
std::string SampleCopyPath();

}  // namespace tarnwick

#pragma once
// The grading's own folder under the system's temporary folder: the class database as the
// grading found it, the model answers' copy and one folder per learner. Removed with all it
// holds when the grading ends.
#include <string>
#include <string_view>

namespace tarnwick::grader {

class Workspace {
 public:
  // Throws TarnwickError when the folder cannot be made.
  Workspace();
  ~Workspace();
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  // A path in the folder (system path and console text alike: the folder's name is ASCII, or
  // at least text console text can spell).
  std::string Path(std::string_view name) const { return folder_ + "/" + std::string(name); }
  const std::string& Folder() const { return folder_; }

 private:
  std::string folder_;
};

// Makes the grading's copy of the class database (a system path as given): a database of ours
// copied through the engine, or a Jet (Access) file imported into a new database of ours, as
// the window's import takes it over. The class database is only read. Returns what the import
// reported about tables it could not take over (console text; empty when all came over).
// Throws TarnwickError when the file cannot be read as either.
std::string CopyClassDatabase(const std::string& classDatabase, const std::string& copyPath);

}  // namespace tarnwick::grader

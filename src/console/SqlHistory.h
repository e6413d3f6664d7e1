#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// The statements run so far, oldest first, each CR LF stored as the bytes 01 02, with the
// browsing state of the step-back (F3) and step-forward (F4) commands.
class SqlHistory {
 public:
  // Records a statement as execution leaves it (CR LF becomes 01 02).
  void Record(std::string_view statement);
  // Records an entry already in the stored form (a statement of an earlier run).
  void RecordStored(std::string_view entry);
  std::size_t Count() const { return ends_.size(); }
  std::string_view StoredEntry(std::size_t index) const;
  // An entry with its line breaks restored, as it goes back into the SQL pane.
  std::string Recall(std::size_t index) const;

  int Position() const { return position_; }
  bool Browsing() const { return browsing_; }
  const std::string& PutAside() const { return putAside_; }

  // Every run ends by setting the position to 0.
  void ResetPosition() { position_ = 0; }
  // The Run command begins by ending any browsing: flag off, put-aside text emptied.
  void EndBrowsing();

  // One step back from the pane's current text; the new pane text, or nothing to change.
  std::optional<std::string> StepBack(const std::string& paneText);
  // One step forward; the new pane text, or nothing to change.
  std::optional<std::string> StepForward();

 private:
  // Every entry's stored bytes one after another in one buffer, and where each entry ends: a
  // long script's statements cost their bytes and one number each. The buffer grows with the
  // system's realloc, which moves no bytes when it can extend it (as it can a large one).
  class Buffer {
   public:
    Buffer() = default;
    ~Buffer();
    Buffer(const Buffer&) = delete;
    Buffer& operator=(const Buffer&) = delete;
    // Room for `count` more bytes at the end, which count as written.
    char* Grow(std::size_t count);
    const char* Data() const { return data_; }
    std::size_t Size() const { return size_; }

   private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
  };
  Buffer stored_;
  std::vector<std::size_t> ends_;
  int position_ = 0;
  bool browsing_ = false;
  std::string putAside_;
};

}  // namespace tarnwick

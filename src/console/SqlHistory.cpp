#include "console/SqlHistory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

namespace tarnwick {

SqlHistory::Buffer::~Buffer() { std::free(data_); }

char* SqlHistory::Buffer::Grow(std::size_t count) {
  if (capacity_ - size_ < count) {
    const std::size_t capacity = std::max({capacity_ * 2, size_ + count, std::size_t{4096}});
    void* grown = std::realloc(data_, capacity);
    if (grown == nullptr) throw std::bad_alloc();
    data_ = static_cast<char*>(grown);
    capacity_ = capacity;
  }
  size_ += count;
  return data_ + size_ - count;
}

void SqlHistory::Record(std::string_view statement) {
  if (statement.empty()) {
    ends_.push_back(stored_.Size());
    return;
  }
  char* stored = stored_.Grow(statement.size());
  std::memcpy(stored, statement.data(), statement.size());
  for (std::size_t i = 0; i + 1 < statement.size(); ++i) {
    if (stored[i] == '\r' && stored[i + 1] == '\n') {
      stored[i] = '\x01';
      stored[++i] = '\x02';
    }
  }
  ends_.push_back(stored_.Size());
}

void SqlHistory::RecordStored(std::string_view entry) {
  if (!entry.empty()) std::memcpy(stored_.Grow(entry.size()), entry.data(), entry.size());
  ends_.push_back(stored_.Size());
}

std::string_view SqlHistory::StoredEntry(std::size_t index) const {
  const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
  return std::string_view(stored_.Data() + begin, ends_[index] - begin);
}

std::string SqlHistory::Recall(std::size_t index) const {
  std::string text(StoredEntry(index));
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '\x01' && text[i + 1] == '\x02') {
      text[i] = '\r';
      text[++i] = '\n';
    }
  }
  return text;
}

void SqlHistory::EndBrowsing() {
  browsing_ = false;
  putAside_.clear();
}

std::optional<std::string> SqlHistory::StepBack(const std::string& paneText) {
  const std::size_t count = Count();
  const auto steps = static_cast<std::size_t>(position_);
  if (steps >= count) return std::nullopt;
  if (position_ == 0) {
    putAside_ = paneText;
    browsing_ = true;
  }
  ++position_;
  return Recall(count - 1 - steps);
}

std::optional<std::string> SqlHistory::StepForward() {
  if (position_ > 1) {
    --position_;
    return Recall(Count() - static_cast<std::size_t>(position_));
  }
  if (position_ == 1 && browsing_) {
    browsing_ = false;
    position_ = 0;
    return putAside_;
  }
  return std::nullopt;
}

}  // namespace tarnwick

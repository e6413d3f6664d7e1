#include "console/SqlHistory.h"

namespace tarnwick {

namespace {

// Replaces every two-byte pair `from` by the two bytes `to`; the length does not change.
std::string ReplacePairs(std::string_view text, std::string_view from, std::string_view to) {
  std::string result(text);
  for (std::size_t at = result.find(from); at != std::string::npos;
       at = result.find(from, at + 2)) {
    result.replace(at, 2, to);
  }
  return result;
}

}  // namespace

void SqlHistory::Record(std::string_view statement) {
  entries_.push_back(ReplacePairs(statement, "\r\n", "\x01\x02"));
}

std::string SqlHistory::Recall(std::size_t index) const {
  return ReplacePairs(entries_[index], "\x01\x02", "\r\n");
}

void SqlHistory::EndBrowsing() {
  browsing_ = false;
  putAside_.clear();
}

std::optional<std::string> SqlHistory::StepBack(const std::string& paneText) {
  const std::size_t count = entries_.size();
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
    return Recall(entries_.size() - static_cast<std::size_t>(position_));
  }
  if (position_ == 1 && browsing_) {
    browsing_ = false;
    position_ = 0;
    return putAside_;
  }
  return std::nullopt;
}

}  // namespace tarnwick

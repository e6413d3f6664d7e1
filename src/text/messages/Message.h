#pragma once
// A message for the learner: Japanese sentences that name the learner's own tables, columns,
// files and words as typed, and, for a common mistake, a second line that says what to do.
// Every message the program shows is built by one of the catalogue's functions
// (StatementMessages.h, EngineMessages.h, FileMessages.h, DatabaseMessages.h,
// ProgramMessages.h, Hints.h); texts are UTF-8 and become Shift-JIS where they are shown.
#include <string>
#include <string_view>

namespace tarnwick::msg {

// How the hint's line begins.
inline constexpr std::string_view kHintLead = "ヒント: ";

struct Message {
  std::string text;  // one or more sentences
  std::string hint;  // what to do, without kHintLead; empty: none

  // The same message with this hint, unless it has one already.
  Message WithHint(std::string otherHint) const;
  // As the learner reads it: the text, then the hint on a line of its own (after CR LF).
  std::string Utf8() const;
  std::string Sjis() const;

  // A message from its rendered form (Utf8()): the hint is its last line.
  static Message Parse(std::string_view rendered);
};

// A name or word of the learner's as messages show it: '社員'.
std::string Quoted(std::string_view name);

// A file's path as messages show it: "C:/data/a.mdb".
std::string QuotedPath(std::string_view utf8Path);

// The text with its last "。" (or ".") taken off, for a sentence that goes on.
std::string_view WithoutFullStop(std::string_view sentence);

}  // namespace tarnwick::msg

#pragma once
// What a learner's grading process tells the main process, through a pipe: records of one
// kind byte, a length and the bytes of their content.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "grader/Judging.h"

namespace tarnwick::grader {

enum class RecordKind : char {
  Alive = 'A',    // a statement starts: the process is working
  Note = 'N',     // something about the learner's file as a whole (UTF-8)
  Outcome = 'O',  // one exercise judged
};

struct Record {
  RecordKind kind;
  std::string content;
};

// A record as it goes through the pipe.
std::string FrameRecord(RecordKind kind, std::string_view content);

// Takes the first whole record off the front of the bytes received so far; nothing while
// it has not wholly arrived.
std::optional<Record> TakeRecord(std::string& received);

// An exercise's outcome and its place among the exercises, as a record's content and back.
// DecodeOutcome throws std::runtime_error for content that is cut short.
std::string EncodeOutcome(std::size_t exercise, const ExerciseOutcome& outcome);
ExerciseOutcome DecodeOutcome(std::string_view content, std::size_t& exercise);

}  // namespace tarnwick::grader

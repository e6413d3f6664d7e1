#pragma once
// The exercises of a script file: each begins at a comment line "--@ NAME" and holds the lines
// that follow it, up to the next such line or the end of the file.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::grader {

struct Exercise {
  std::string name;    // as written after "--@" (UTF-8), blanks around it removed
  std::string script;  // the exercise's lines as a script text (console text, CR LF)
  int line = 0;        // the line of its "--@", counted from 1
};

struct ExerciseFile {
  std::vector<Exercise> exercises;  // in the order of the file
  // Before the first "--@" line stands a statement (not only comments and blanks): it belongs
  // to no exercise and is not run.
  bool statementsBeforeFirst = false;
};

// Cuts a script text (console text, CR LF lines, as a script file is read) into its exercises.
// A marker line may be indented; blanks may stand between "--" and "@" and after the "@". A
// marker without a name is an ordinary comment.
ExerciseFile CutExercises(std::string_view sjisScript);

// What exercise names are matched by, so that a name typed with the input method on still
// finds its exercise: full-width letters, digits and signs as their ASCII forms, ASCII letters
// in lower case, spaces (half- and full-width) left out. "問１" and "問 1" are "問1".
std::string ExerciseKey(std::string_view utf8Name);

// The exercise of the file whose name matches, the last one when the name stands more than
// once (a learner's second try); nothing when the file lacks it.
const Exercise* FindExercise(const ExerciseFile& file, std::string_view utf8Name);

// The name of the first exercise that stands twice in the file, if any.
std::optional<std::string> RepeatedExercise(const ExerciseFile& file);

}  // namespace tarnwick::grader

// Cutting a script into exercises at "--@ NAME" lines, and finding a learner's exercise by a
// name typed with or without the input method.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/ScriptFile.h"
#include "grader/Exercises.h"
#include "text/Cp932.h"

namespace tarnwick::grader {
namespace {

ExerciseFile Cut(const std::string& utf8) {
  return CutExercises(ScriptTextFromBytes(Utf8ToSjis(utf8)));
}

struct MarkerCase {
  const char* line;
  const char* name;  // nullptr: not a marker
};

TEST(CutExercises, WhichLinesBeginAnExercise) {
  const MarkerCase cases[] = {
      {"--@ 問1", "問1"},         {"--@問1", "問1"},
      {"  -- @ 問 1  ", "問 1"},  {"\t--@\t問1\t", "問1"},
      {"　--@　問1　", "問1"},    {"--@ Q1: 結合", "Q1: 結合"},
      {"--@", nullptr},           {"--@   ", nullptr},
      {"-- 問1", nullptr},        {"SELECT 1; --@ 問1", nullptr},
      {"/* --@ 問1 */", nullptr},
  };
  for (const MarkerCase& c : cases) {
    const ExerciseFile file = Cut(std::string(c.line) + "\nSELECT 1;\n");
    if (c.name == nullptr) {
      EXPECT_TRUE(file.exercises.empty()) << c.line;
    } else {
      ASSERT_EQ(file.exercises.size(), 1u) << c.line;
      EXPECT_EQ(file.exercises[0].name, c.name) << c.line;
    }
  }
}

TEST(CutExercises, EachExerciseHoldsTheLinesUpToTheNext) {
  const ExerciseFile file = Cut("-- 氏名: 山田\n--@ 問1\nSELECT 1;\n\n--@ 問2\nSELECT 2\r\nFROM t");
  ASSERT_EQ(file.exercises.size(), 2u);
  EXPECT_EQ(file.exercises[0].script, Sjis("SELECT 1;\r\n\r\n"));
  EXPECT_EQ(file.exercises[0].line, 2);
  EXPECT_EQ(file.exercises[1].script, Sjis("SELECT 2\r\nFROM t\r\n"));
  EXPECT_EQ(file.exercises[1].line, 5);
  EXPECT_FALSE(file.statementsBeforeFirst);
  EXPECT_TRUE(Cut("DELETE FROM t;\n--@ 問1\nSELECT 1;\n").statementsBeforeFirst);
  EXPECT_FALSE(Cut("/* 課題 */ -- 第1回\n;\n--@ 問1\nSELECT 1;\n").statementsBeforeFirst);
}

TEST(ExerciseKey, NamesTypedWithTheInputMethodMatch) {
  const char* same[][2] = {
      {"問1", "問１"}, {"問1", "問 1"}, {"問1", "問　1"}, {"Q1", "ｑ１"}, {"Q-1", "Ｑ－１"},
  };
  for (const auto& pair : same) EXPECT_EQ(ExerciseKey(pair[0]), ExerciseKey(pair[1])) << pair[1];
  EXPECT_NE(ExerciseKey("問1"), ExerciseKey("問11"));
  EXPECT_NE(ExerciseKey("問1"), ExerciseKey("門1"));
}

TEST(FindExercise, TheLastTryOfARepeatedExerciseCounts) {
  const ExerciseFile file = Cut("--@ 問1\nSELECT 1;\n--@ 問2\nSELECT 2;\n--@ 問１\nSELECT 3;\n");
  const Exercise* found = FindExercise(file, "問1");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->script, Sjis("SELECT 3;\r\n"));
  EXPECT_EQ(FindExercise(file, "問3"), nullptr);
  EXPECT_EQ(RepeatedExercise(file), std::optional<std::string>("問１"));
  EXPECT_EQ(RepeatedExercise(Cut("--@ 問1\n--@ 問2\n")), std::nullopt);
}

}  // namespace
}  // namespace tarnwick::grader

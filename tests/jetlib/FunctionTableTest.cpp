// The function table the binder reads: every function of Jet's library is found by its name in
// any letter case, with its engine name registered on the connection, deterministic where the
// function is.
#include "JetFunctionsFixture.h"

namespace tarnwick {
namespace {

using FunctionTable = JetFunctionsTest;

constexpr std::string_view kJetFunctionNames[] = {
    "Left",        "Right",     "Mid",     "Len",      "InStr",    "InStrRev",   "UCase",
    "LCase",       "Trim",      "LTrim",   "RTrim",    "Space",    "String",     "Replace",
    "StrReverse",  "StrComp",   "Asc",     "Chr",      "StrConv",  "Val",        "Hex",
    "Oct",         "Abs",       "Sgn",     "Int",      "Fix",      "Round",      "Sqr",
    "Exp",         "Log",       "Sin",     "Cos",      "Tan",      "Atn",        "Rnd",
    "CStr",        "CInt",      "CLng",    "CByte",    "CSng",     "CDbl",       "CCur",
    "CDec",        "CDate",     "CBool",   "CVar",     "IsNull",   "IsNumeric",  "IsDate",
    "IsEmpty",     "IIf",       "Switch",  "Choose",   "Date",     "Time",       "Now",
    "Year",        "Month",     "Day",     "Hour",     "Minute",   "Second",     "Weekday",
    "WeekdayName", "MonthName", "DateAdd", "DateDiff", "DatePart", "DateSerial", "TimeSerial",
    "DateValue",   "TimeValue", "Format",  "Count",    "Sum",      "Avg",        "Min",
    "Max",         "First",     "Last",    "StDev",    "StDevP",   "Var",        "VarP"};

bool IsRegistered(sqlite3* db, std::string_view name, bool* deterministic) {
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(db, "SELECT flags FROM pragma_function_list WHERE name = ?", -1, &statement,
                     nullptr);
  sqlite3_bind_text(statement, 1, name.data(), static_cast<int>(name.size()), SQLITE_STATIC);
  const bool found = sqlite3_step(statement) == SQLITE_ROW;
  if (found) *deterministic = (sqlite3_column_int(statement, 0) & SQLITE_DETERMINISTIC) != 0;
  sqlite3_finalize(statement);
  return found;
}

TEST_F(FunctionTable, EveryFunctionIsFoundAndRegistered) {
  for (std::string_view name : kJetFunctionNames) {
    const JetFunction* function = FindJetFunction(name);
    ASSERT_NE(function, nullptr) << name;
    EXPECT_EQ(function->name, name);
    EXPECT_LE(function->minArguments, function->maxArguments < 0 ? 99 : function->maxArguments);
    bool deterministic = false;
    EXPECT_TRUE(IsRegistered(db_, function->engineName, &deterministic)) << name;
    // The engine's own count, min and max list their flags in their own way.
    if (function->engineName.starts_with("jet_")) {
      EXPECT_EQ(deterministic, function->deterministic) << name;
    }
  }
}

TEST_F(FunctionTable, NamesAreMatchedWithoutRegardToCase) {
  struct Lookup {
    std::string_view name;
    std::string_view engineName;  // empty: none
  };
  for (const Lookup& lookup :
       {Lookup{"left", "jet_left"}, Lookup{"DATEADD", "jet_dateadd"}, Lookup{"Mid$", "jet_mid"},
        Lookup{"format$", "jet_format"}, Lookup{"Len$", ""}, Lookup{"Nz", ""}, Lookup{"", ""},
        Lookup{"jet_left", ""}, Lookup{"$", ""}}) {
    const JetFunction* function = FindJetFunction(lookup.name);
    EXPECT_EQ(function != nullptr ? function->engineName : "", lookup.engineName) << lookup.name;
  }
}

TEST_F(FunctionTable, ResultTypesAndArgumentCounts) {
  const JetFunction* mid = FindJetFunction("Mid");
  EXPECT_EQ(mid->minArguments, 2);
  EXPECT_EQ(mid->maxArguments, 3);
  EXPECT_EQ(mid->result, JetType::Text);
  const JetFunction* sum = FindJetFunction("Sum");
  EXPECT_TRUE(sum->aggregate);
  EXPECT_EQ(sum->rule, JetResultRule::SameAsArgument);
  EXPECT_EQ(FindJetFunction("IIf")->rule, JetResultRule::CommonOfChoices);
  EXPECT_EQ(FindJetFunction("Switch")->maxArguments, -1);
  EXPECT_EQ(FindJetFunction("CInt")->result, JetType::Short);
  EXPECT_EQ(FindJetFunction("Now")->deterministic, false);
  EXPECT_FALSE(FindJetFunction("Left")->aggregate);
  // The engine itself refuses a wrong number of arguments.
  EXPECT_EQ(Eval("jet_mid('abc')").rfind("PREPARE: wrong number of arguments", 0), 0u);
}

TEST_F(FunctionTable, OperatorsAndStorageAreRegisteredUnderTheirEngineNames) {
  for (std::string_view name :
       {jet_op::kConcat,      jet_op::kAdd,       jet_op::kSubtract, jet_op::kMultiply,
        jet_op::kDivide,      jet_op::kIntDivide, jet_op::kModulo,   jet_op::kPower,
        jet_op::kNegate,      jet_op::kNot,       jet_op::kAnd,      jet_op::kOr,
        jet_op::kXor,         jet_op::kEqv,       jet_op::kImp,      jet_op::kLike,
        jet_op::kDatePlus,    jet_op::kDateDiff,  jet_op::kDateKey,  jet_op::kCurrency,
        jet_op::kCurrencySum, kJetStore}) {
    bool deterministic = false;
    EXPECT_TRUE(IsRegistered(db_, name, &deterministic)) << name;
    EXPECT_TRUE(deterministic) << name;
  }
}

TEST(JetRuntimeMessages, EachFailureHasItsJapaneseMessage) {
  EXPECT_EQ(JetRuntimeMessage(JetRuntimeError::TypeMismatch), "型が一致しません。");
  EXPECT_EQ(JetRuntimeMessage(JetRuntimeError::Overflow), "オーバーフローしました。");
  EXPECT_EQ(JetRuntimeMessage(JetRuntimeError::DivisionByZero), "0 で除算しました。");
  EXPECT_EQ(JetRuntimeMessage(JetRuntimeError::InvalidUseOfNull), "Null の使い方が不正です。");
  EXPECT_TRUE(JetRuntimeMessage(JetRuntimeError::FieldTooSmall)
                  .starts_with("フィールドのサイズが小さすぎます。"));
}

}  // namespace
}  // namespace tarnwick

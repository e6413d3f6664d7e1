// IIf, Switch and Choose: the value of the argument a condition or an index picks.
#include "jetlib/FunctionLibrary.h"
#include "jetlib/JetCall.h"

namespace tarnwick::jetlib {

namespace {

// A condition: NULL counts as False.
bool Holds(Call& call, int i) { return !call.IsNull(i) && call.Truth(i); }

void IIf(Call& call) { call.ResultArgument(Holds(call, 0) ? 1 : 2); }

// Switch(condition1, value1, condition2, value2, ...): the value of the first condition that
// holds; NULL when none does.
void Switch(Call& call) {
  if (call.Count() % 2 != 0) Fail(JetRuntimeError::InvalidArgument);
  for (int i = 0; i < call.Count(); i += 2) {
    if (Holds(call, i)) return call.ResultArgument(i + 1);
  }
  call.ResultNull();
}

// Choose(index, value1, value2, ...): NULL when the index (rounded) picks none.
void Choose(Call& call) {
  if (call.IsNull(0)) return call.ResultNull();
  const std::int64_t index = call.Whole(0, INT64_MIN, INT64_MAX);
  if (index < 1 || index >= call.Count()) return call.ResultNull();
  call.ResultArgument(static_cast<int>(index));
}

constexpr JetFunction Choice(std::string_view name, std::string_view engineName, int min, int max,
                             JetChoices choices) {
  JetFunction function{
      name, engineName, min, max, JetResultRule::CommonOfChoices, JetType::Variant};
  function.choices = choices;
  return function;
}

const LibraryEntry kEntries[] = {
    {Choice("IIf", "jet_iif", 3, 3, JetChoices::SecondAndThird), Scalar<IIf, NullRule::Handled>},
    {Choice("Switch", "jet_switch", 2, -1, JetChoices::EverySecond),
     Scalar<Switch, NullRule::Handled>},
    {Choice("Choose", "jet_choose", 2, -1, JetChoices::AllButFirst),
     Scalar<Choose, NullRule::Handled>},
};

}  // namespace

std::span<const LibraryEntry> ChoiceFunctions() { return kEntries; }

}  // namespace tarnwick::jetlib

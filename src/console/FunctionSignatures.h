#pragma once
// The argument lists of Jet's functions, as completion shows them: "DateAdd(interval, number,
// date)". Optional arguments stand in brackets, as Access's help writes them.
#include <string_view>
#include <vector>

namespace tarnwick {

struct FunctionSignature {
  std::string_view name;       // Jet's spelling, as the function library has it
  std::string_view arguments;  // "interval, number, date"; empty for none
};

// One entry for every function of the library (JetFunctionNames), in the library's order.
// A function the table does not describe is listed with "..." for its arguments.
std::vector<FunctionSignature> JetFunctionSignatures();

}  // namespace tarnwick

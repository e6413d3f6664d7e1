#pragma once
// The library's entries, family by family: each Jet function with the engine function that
// computes it. The operators and the storage conversion are entries without a Jet name.
#include <sqlite3.h>

#include <span>

#include "jetlib/JetFunctions.h"

namespace tarnwick::jetlib {

using EngineScalar = void (*)(sqlite3_context*, int, sqlite3_value**);
using EngineFinal = void (*)(sqlite3_context*);

struct LibraryEntry {
  JetFunction function;  // an empty name: reachable only by its engine name
  EngineScalar scalar = nullptr;
  EngineScalar step = nullptr;  // aggregates
  EngineFinal final = nullptr;
};

// Shorthands for the tables.
constexpr JetFunction Returns(std::string_view name, std::string_view engineName, int min, int max,
                              JetType result, bool deterministic = true) {
  return {name, engineName, min, max, JetResultRule::Fixed, result, 0, false, deterministic};
}
// A date's number of days, for the functions that return their argument's type.
constexpr bool IsDateType(JetType type) { return type == JetType::DateTime; }
constexpr JetFunction ReturnsArgument(std::string_view name, std::string_view engineName, int min,
                                      int max, int argument = 0) {
  JetFunction function{
      name, engineName, min, max, JetResultRule::SameAsArgument, JetType::Variant, argument};
  function.cases[0].when = IsDateType;
  function.cases[0].result = JetType::Double;
  return function;
}

std::span<const LibraryEntry> TextFunctions();
std::span<const LibraryEntry> NumberFunctions();
std::span<const LibraryEntry> ConversionFunctions();
std::span<const LibraryEntry> ChoiceFunctions();
std::span<const LibraryEntry> DateFunctions();
std::span<const LibraryEntry> FormatFunctions();
std::span<const LibraryEntry> AggregateFunctions();
std::span<const LibraryEntry> OperatorFunctions();
std::span<const LibraryEntry> StorageFunctions();

}  // namespace tarnwick::jetlib

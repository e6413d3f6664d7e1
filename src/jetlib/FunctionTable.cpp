// The whole library: finding a function by its Jet name and registering every entry.
#include <array>
#include <string>

#include "jetlib/FunctionLibrary.h"
#include "text/AsciiCase.h"
#include "text/TarnwickError.h"
#include "text/messages/DatabaseMessages.h"

namespace tarnwick {

namespace {

using jetlib::LibraryEntry;

std::array<std::span<const LibraryEntry>, 9> Families() {
  return {jetlib::TextFunctions(),      jetlib::NumberFunctions(),   jetlib::ConversionFunctions(),
          jetlib::ChoiceFunctions(),    jetlib::DateFunctions(),     jetlib::FormatFunctions(),
          jetlib::AggregateFunctions(), jetlib::OperatorFunctions(), jetlib::StorageFunctions()};
}

const LibraryEntry* FindEntry(std::string_view name) {
  for (std::span<const LibraryEntry> family : Families()) {
    for (const LibraryEntry& entry : family) {
      if (!entry.function.name.empty() && EqualsIgnoringAsciiCase(entry.function.name, name))
        return &entry;
    }
  }
  return nullptr;
}

void Register(sqlite3* db, const LibraryEntry& entry, int argumentCount) {
  const JetFunction& function = entry.function;
  int flags = SQLITE_UTF8;
  if (function.deterministic) flags |= SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
  const std::string name(function.engineName);
  const int rc = sqlite3_create_function_v2(db, name.c_str(), argumentCount, flags, nullptr,
                                            entry.scalar, entry.step, entry.final, nullptr);
  if (rc != SQLITE_OK) {
    throw TarnwickError(msg::CannotRegisterFunction(name, sqlite3_extended_errcode(db)));
  }
}

}  // namespace

const JetFunction* FindJetFunction(std::string_view name) {
  const LibraryEntry* entry = FindEntry(name);
  // Jet also takes the text functions with a '$' (Left$, Mid$, ...), which return text.
  if (entry == nullptr && name.size() > 1 && name.back() == '$') {
    entry = FindEntry(name.substr(0, name.size() - 1));
    if (entry != nullptr && entry->function.result != JetType::Text) entry = nullptr;
  }
  return entry != nullptr ? &entry->function : nullptr;
}

const JetArgumentCase* CaseFor(const JetFunction& function, JetType firstArgument) {
  for (const JetArgumentCase& each : function.cases) {
    if (each.when != nullptr && each.when(firstArgument)) return &each;
  }
  return nullptr;
}

std::vector<std::string> JetFunctionNames() {
  std::vector<std::string> names;
  for (std::span<const LibraryEntry> family : Families()) {
    for (const LibraryEntry& entry : family) {
      if (!entry.function.name.empty()) names.emplace_back(entry.function.name);
    }
  }
  return names;
}

void RegisterJetFunctions(sqlite3* db) {
  for (std::span<const LibraryEntry> family : Families()) {
    for (const LibraryEntry& entry : family) {
      const JetFunction& function = entry.function;
      if (entry.scalar == nullptr && entry.step == nullptr) continue;  // the engine's own
      if (function.maxArguments < 0) {
        Register(db, entry, -1);
        continue;
      }
      for (int count = function.minArguments; count <= function.maxArguments; ++count)
        Register(db, entry, count);
    }
  }
}

}  // namespace tarnwick

#pragma once
// Names and texts as the generated engine statements write them.
#include <string>
#include <string_view>

namespace tarnwick {

// UPDATE and DELETE through a join: the name of the changed table's row in the join.
inline constexpr std::string_view kJoinedRowName = "__jet_row";

// The program's own tables in a database (the catalogue listing leaves out "__tarnwick"):
// stored procedures, and the counters of COUNTER columns.
inline constexpr std::string_view kProceduresTable = "__tarnwick_procedures";
inline constexpr std::string_view kCreateProceduresTable =
    "CREATE TABLE IF NOT EXISTS \"__tarnwick_procedures\" (\"name\" TEXT PRIMARY KEY COLLATE "
    "NOCASE, \"parameters\" TEXT NOT NULL, \"statement\" TEXT NOT NULL)";
inline constexpr std::string_view kCountersTable = "__tarnwick_counters";
inline constexpr std::string_view kCreateCountersTable =
    "CREATE TABLE IF NOT EXISTS \"__tarnwick_counters\" (\"table\" TEXT PRIMARY KEY COLLATE "
    "NOCASE, \"next\" INTEGER NOT NULL, \"step\" INTEGER NOT NULL)";
// The triggers that number a table's COUNTER column are named with this and the table's name.
inline constexpr std::string_view kCounterTriggerPrefix = "__tarnwick_counter_";

// An identifier in double quotes, each '"' in it written twice.
std::string EngineName(std::string_view name);

// A text literal in apostrophes, each apostrophe in it written twice.
std::string EngineText(std::string_view value);

}  // namespace tarnwick

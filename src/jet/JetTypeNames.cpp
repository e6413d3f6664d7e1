#include "jet/JetTypeNames.h"

#include <algorithm>
#include <iterator>

#include "jet/JetLexer.h"

namespace tarnwick {

namespace {

struct JetTypeStorage {
  std::string_view name;
  ColumnAffinity affinity;
};

// Jet type names (and their synonyms) whose storage the engine would not infer from the
// name itself. Names it infers right (TEXT, INTEGER, DOUBLE, BLOB...) need no entry.
constexpr JetTypeStorage kJetTypeStorage[] = {
    {"MEMO", ColumnAffinity::Text},
    {"NOTE", ColumnAffinity::Text},
    {"STRING", ColumnAffinity::Text},
    {"ALPHANUMERIC", ColumnAffinity::Text},
    {"HYPERLINK", ColumnAffinity::Text},
    {"GUID", ColumnAffinity::Text},
    {"UNIQUEIDENTIFIER", ColumnAffinity::Text},
    // Dates are kept as ISO 8601 text.
    {"DATETIME", ColumnAffinity::Text},
    {"DATE", ColumnAffinity::Text},
    {"TIME", ColumnAffinity::Text},
    {"TIMESTAMP", ColumnAffinity::Text},
    {"SHORT", ColumnAffinity::Integer},
    {"BYTE", ColumnAffinity::Integer},
    {"LONG", ColumnAffinity::Integer},
    {"SINGLE", ColumnAffinity::Real},
    {"IEEESINGLE", ColumnAffinity::Real},
    {"NUMBER", ColumnAffinity::Real},
    {"BINARY", ColumnAffinity::Blob},
    {"VARBINARY", ColumnAffinity::Blob},
    {"BINARY VARYING", ColumnAffinity::Blob},
    {"BIT VARYING", ColumnAffinity::Blob},
    {"LONGBINARY", ColumnAffinity::Blob},
    {"OLEOBJECT", ColumnAffinity::Blob},
    {"GENERAL", ColumnAffinity::Blob},
    {"IMAGE", ColumnAffinity::Blob},
};

bool Contains(std::string_view upperText, std::string_view part) {
  return upperText.find(part) != std::string_view::npos;
}

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

std::string_view WordFor(ColumnAffinity affinity) {
  switch (affinity) {
    case ColumnAffinity::Integer:
      return "INT";
    case ColumnAffinity::Text:
      return "TEXT";
    case ColumnAffinity::Blob:
      return "BLOB";
    case ColumnAffinity::Real:
      return "REAL";
    case ColumnAffinity::Numeric:
      return "NUMERIC";
  }
  return {};
}

}  // namespace

ColumnAffinity EngineAffinity(std::string_view declaredType) {
  const std::string upper = UpperAscii(declaredType);
  if (Contains(upper, "INT")) return ColumnAffinity::Integer;
  if (Contains(upper, "CHAR") || Contains(upper, "CLOB") || Contains(upper, "TEXT")) {
    return ColumnAffinity::Text;
  }
  if (Contains(upper, "BLOB") || upper.empty()) return ColumnAffinity::Blob;
  if (Contains(upper, "REAL") || Contains(upper, "FLOA") || Contains(upper, "DOUB")) {
    return ColumnAffinity::Real;
  }
  return ColumnAffinity::Numeric;
}

std::string_view AffinityWordFor(std::string_view typeName) {
  const auto found =
      std::find_if(std::begin(kJetTypeStorage), std::end(kJetTypeStorage),
                   [&](const JetTypeStorage& entry) { return SameJetName(entry.name, typeName); });
  if (found == std::end(kJetTypeStorage) || EngineAffinity(typeName) == found->affinity) return {};
  return WordFor(found->affinity);
}

bool IsAutoNumberType(std::string_view typeName) {
  return SameJetName(typeName, "COUNTER") || SameJetName(typeName, "AUTOINCREMENT");
}

}  // namespace tarnwick

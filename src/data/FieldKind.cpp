#include "data/FieldKind.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>

#include "jet/JetLexer.h"
#include "jet/JetTypeNames.h"

namespace tarnwick {

namespace {

struct NamedKind {
  std::string_view name;
  TFieldType kind;
};

// Type names of the dialect learners write, and the names the translation layer keeps.
constexpr NamedKind kNamedKinds[] = {
    {"COUNTER", ftAutoInc},     {"AUTOINCREMENT", ftAutoInc},
    {"INTEGER", ftInteger},     {"INT", ftInteger},
    {"LONG", ftInteger},        {"SMALLINT", ftSmallint},
    {"SHORT", ftSmallint},      {"BYTE", ftWord},
    {"TINYINT", ftWord},        {"YESNO", ftBoolean},
    {"BIT", ftBoolean},         {"LOGICAL", ftBoolean},
    {"BOOLEAN", ftBoolean},     {"REAL", ftFloat},
    {"SINGLE", ftFloat},        {"FLOAT", ftFloat},
    {"DOUBLE", ftFloat},        {"MONEY", ftBCD},
    {"CURRENCY", ftBCD},        {"DECIMAL", ftBCD},
    {"NUMERIC", ftBCD},         {"DATETIME", ftDateTime},
    {"DATE", ftDateTime},       {"TIME", ftDateTime},
    {"TIMESTAMP", ftDateTime},  {"TEXT", ftWideString},
    {"CHAR", ftWideString},     {"VARCHAR", ftWideString},
    {"NVARCHAR", ftWideString}, {"CHARACTER", ftWideString},
    {"STRING", ftWideString},   {"MEMO", ftMemo},
    {"LONGTEXT", ftMemo},       {"LONGCHAR", ftMemo},
    {"NOTE", ftMemo},           {"BINARY", ftBytes},
    {"VARBINARY", ftVarBytes},  {"LONGBINARY", ftBlob},
    {"OLEOBJECT", ftBlob},      {"IMAGE", ftBlob},
    {"BLOB", ftBlob},           {"GUID", ftGuid},
    {"BIGINT", ftLargeint},
};

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
    text.remove_prefix(1);
  }
  return text;
}

// Reads an unsigned number at the start of the text (blanks before it allowed) and moves past it.
bool ReadNumber(std::string_view& text, int& value) {
  text = TrimLeft(text);
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc()) return false;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  return true;
}

// NUMERIC(p) and NUMERIC(p,0) with fewer than 10 digits hold whole numbers that fit an integer.
bool IsSmallWholeNumber(std::string_view afterName) {
  afterName = TrimLeft(afterName);
  if (afterName.empty() || afterName.front() != '(') return false;
  afterName.remove_prefix(1);
  int precision = 0;
  int scale = 0;
  if (!ReadNumber(afterName, precision)) return false;
  afterName = TrimLeft(afterName);
  if (!afterName.empty() && afterName.front() == ',') {
    afterName.remove_prefix(1);
    if (!ReadNumber(afterName, scale)) return false;
  }
  return scale == 0 && precision < 10;
}

// The engine's own rule for a type name it does not know (its column affinity); a type of
// blanks only is no type.
TFieldType KindByAffinity(std::string_view declaredType) {
  if (TrimLeft(declaredType).empty()) return ftBlob;
  switch (EngineAffinity(declaredType)) {
    case ColumnAffinity::Integer:
      return ftInteger;
    case ColumnAffinity::Text:
      return ftWideString;
    case ColumnAffinity::Blob:
      return ftBlob;
    case ColumnAffinity::Real:
      return ftFloat;
    case ColumnAffinity::Numeric:
      break;
  }
  return ftBCD;
}

}  // namespace

TFieldType KindFromDeclaredType(std::string_view declaredType) {
  std::string_view text = TrimLeft(declaredType);
  std::size_t nameLength = 0;
  while (nameLength < text.size() && IsWordChar(text[nameLength])) ++nameLength;
  const std::string_view name = text.substr(0, nameLength);
  const auto found =
      std::find_if(std::begin(kNamedKinds), std::end(kNamedKinds),
                   [&](const NamedKind& entry) { return SameJetName(entry.name, name); });
  if (found == std::end(kNamedKinds)) return KindByAffinity(declaredType);
  if ((found->name == "NUMERIC" || found->name == "DECIMAL") &&
      IsSmallWholeNumber(text.substr(nameLength))) {
    return ftInteger;
  }
  return found->kind;
}

}  // namespace tarnwick

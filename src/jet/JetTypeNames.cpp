#include "jet/JetTypeNames.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <iterator>

#include "jet/JetLexer.h"

namespace tarnwick {

namespace {

constexpr int kDefaultTextSize = 255;

struct NamedJetType {
  std::string_view name;
  JetType type;
  bool autoNumber = false;
};

// Every name Jet knows for a type, and the names the engine's own types go by.
constexpr NamedJetType kJetTypeNames[] = {
    {"COUNTER", JetType::Long, true},
    {"AUTOINCREMENT", JetType::Long, true},
    {"IDENTITY", JetType::Long, true},
    {"LONG", JetType::Long},
    {"INTEGER", JetType::Long},
    {"INT", JetType::Long},
    {"INTEGER4", JetType::Long},
    {"SHORT", JetType::Short},
    {"SMALLINT", JetType::Short},
    {"INTEGER2", JetType::Short},
    {"BYTE", JetType::Byte},
    {"TINYINT", JetType::Byte},
    {"INTEGER1", JetType::Byte},
    {"BIGINT", JetType::BigInt},
    {"YESNO", JetType::Boolean},
    {"BIT", JetType::Boolean},
    {"LOGICAL", JetType::Boolean},
    {"LOGICAL1", JetType::Boolean},
    {"BOOLEAN", JetType::Boolean},
    {"SINGLE", JetType::Single},
    {"REAL", JetType::Single},
    {"FLOAT4", JetType::Single},
    {"IEEESINGLE", JetType::Single},
    {"DOUBLE", JetType::Double},
    {"FLOAT", JetType::Double},
    {"FLOAT8", JetType::Double},
    {"IEEEDOUBLE", JetType::Double},
    {"NUMBER", JetType::Double},
    {"CURRENCY", JetType::Currency},
    {"MONEY", JetType::Currency},
    {"DECIMAL", JetType::Decimal},
    {"NUMERIC", JetType::Decimal},
    {"DEC", JetType::Decimal},
    {"DATETIME", JetType::DateTime},
    {"DATE", JetType::DateTime},
    {"TIME", JetType::DateTime},
    {"TIMESTAMP", JetType::DateTime},
    {"TEXT", JetType::Text},
    {"CHAR", JetType::Text},
    {"VARCHAR", JetType::Text},
    {"NVARCHAR", JetType::Text},
    {"NCHAR", JetType::Text},
    {"CHARACTER", JetType::Text},
    {"STRING", JetType::Text},
    {"ALPHANUMERIC", JetType::Text},
    {"MEMO", JetType::Memo},
    {"LONGTEXT", JetType::Memo},
    {"LONGCHAR", JetType::Memo},
    {"NOTE", JetType::Memo},
    {"NTEXT", JetType::Memo},
    {"HYPERLINK", JetType::Memo},
    {"BINARY", JetType::Binary},
    {"VARBINARY", JetType::Binary},
    {"LONGBINARY", JetType::LongBinary},
    {"OLEOBJECT", JetType::LongBinary},
    {"GENERAL", JetType::LongBinary},
    {"IMAGE", JetType::LongBinary},
    {"BLOB", JetType::LongBinary},
    {"GUID", JetType::Guid},
    {"UNIQUEIDENTIFIER", JetType::Guid},
};

// The ANSI forms of Jet's names that take more than one word, and the type they name.
struct MultiWordType {
  std::string_view name;
  JetType type;
};
constexpr MultiWordType kMultiWordTypes[] = {
    {"DOUBLE PRECISION", JetType::Double},    {"CHARACTER VARYING", JetType::Text},
    {"CHAR VARYING", JetType::Text},          {"NATIONAL CHARACTER", JetType::Text},
    {"NATIONAL CHAR", JetType::Text},         {"NATIONAL CHARACTER VARYING", JetType::Text},
    {"NATIONAL CHAR VARYING", JetType::Text}, {"BINARY VARYING", JetType::Binary},
    {"BIT VARYING", JetType::Binary},
};

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

JetType TypeByAffinity(std::string_view typeName) {
  switch (EngineAffinity(typeName)) {
    case ColumnAffinity::Integer:
      return JetType::Long;
    case ColumnAffinity::Text:
      return JetType::Text;
    case ColumnAffinity::Blob:
      return JetType::LongBinary;
    case ColumnAffinity::Real:
      return JetType::Double;
    case ColumnAffinity::Numeric:
      break;
  }
  return JetType::Decimal;
}

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
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

// "(p)" or "(p, s)" at the start of the text, blanks allowed.
void ReadSize(std::string_view text, int& size, int& scale) {
  text = TrimLeft(text);
  if (text.empty() || text.front() != '(') return;
  text.remove_prefix(1);
  if (!ReadNumber(text, size)) return;
  text = TrimLeft(text);
  if (!text.empty() && text.front() == ',') {
    text.remove_prefix(1);
    ReadNumber(text, scale);
  }
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

JetTypeInfo JetTypeInfoOf(std::string_view typeName, int size, int scale) {
  JetTypeInfo result;
  if (TrimLeft(typeName).empty()) return result;
  // The first word names the type ("DOUBLE PRECISION", "LONG INT").
  const std::size_t space = typeName.find(' ');
  const std::string_view first = typeName.substr(0, space);
  for (const MultiWordType& entry : kMultiWordTypes) {
    if (SameJetName(entry.name, typeName)) {
      result.type = entry.type;
      result.jetDeclared = true;
      result.size = result.type == JetType::Double ? 0 : size;
      if (result.type == JetType::Text && result.size == 0) result.size = kDefaultTextSize;
      return result;
    }
  }
  const auto found =
      std::find_if(std::begin(kJetTypeNames), std::end(kJetTypeNames),
                   [&](const NamedJetType& entry) { return SameJetName(entry.name, first); });
  if (found == std::end(kJetTypeNames)) {
    result.type = TypeByAffinity(typeName);
    return result;
  }
  result.type = found->type;
  result.autoNumber = found->autoNumber;
  result.jetDeclared = true;
  if (result.type == JetType::Text || result.type == JetType::Binary ||
      result.type == JetType::Decimal) {
    result.size = size;
    result.scale = scale;
  }
  if (result.type == JetType::Text && result.size == 0) result.size = kDefaultTextSize;
  return result;
}

JetTypeInfo JetTypeInfoOfDeclaration(std::string_view declaredType) {
  std::string_view text = TrimLeft(declaredType);
  const std::size_t open = text.find('(');
  std::string_view words = text.substr(0, open);
  while (!words.empty() && IsBlank(words.back())) words.remove_suffix(1);
  int size = 0;
  int scale = 0;
  if (open != std::string_view::npos) ReadSize(text.substr(open), size, scale);
  return JetTypeInfoOf(words, size, scale);
}

std::string_view AffinityWordFor(std::string_view typeName) {
  const auto found =
      std::find_if(std::begin(kJetTypeStorage), std::end(kJetTypeStorage),
                   [&](const JetTypeStorage& entry) { return SameJetName(entry.name, typeName); });
  if (found == std::end(kJetTypeStorage) || EngineAffinity(typeName) == found->affinity) return {};
  return WordFor(found->affinity);
}

bool IsAutoNumberType(std::string_view typeName) {
  return SameJetName(typeName, "COUNTER") || SameJetName(typeName, "AUTOINCREMENT") ||
         SameJetName(typeName, "IDENTITY");
}

bool IsJetTypeName(std::string_view typeName) {
  for (const MultiWordType& entry : kMultiWordTypes) {
    if (SameJetName(entry.name, typeName)) return true;
  }
  if (typeName.find(' ') != std::string_view::npos) return false;
  return std::any_of(std::begin(kJetTypeNames), std::end(kJetTypeNames),
                     [&](const NamedJetType& entry) { return SameJetName(entry.name, typeName); });
}

std::string JetTypeDeclaration(const JetTypeInfo& type) {
  if (type.autoNumber) return "COUNTER";
  if (type.type == JetType::Variant || type.type == JetType::Null) return {};
  std::string text(JetTypeName(type.type));
  if ((type.type == JetType::Text || type.type == JetType::Binary) && type.size > 0) {
    text += "(" + std::to_string(type.size) + ")";
  } else if (type.type == JetType::Decimal && type.size > 0) {
    text += "(" + std::to_string(type.size) + "," + std::to_string(type.scale) + ")";
  }
  return text;
}

// A type name Jet does not know takes the type closest to the engine's affinity for it; what
// it stores must read as that type: a whole number (of any size), a number, any text.
std::string_view GuessedStoreTypeName(JetType type) {
  switch (type) {
    case JetType::Long:
      return "BIGINT";
    case JetType::Double:
    case JetType::Decimal:
      return "DOUBLE";
    case JetType::Text:
      return "MEMO";
    default:
      return {};
  }
}

std::string_view StoreTypeName(const JetTypeInfo& type) {
  if (!type.jetDeclared) return GuessedStoreTypeName(type.type);
  switch (type.type) {
    case JetType::Boolean:
      return "YESNO";
    case JetType::Null:
    case JetType::Variant:
      return {};
    default:
      return JetTypeName(type.type);
  }
}

}  // namespace tarnwick

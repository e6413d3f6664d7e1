#include "jetlib/JetTypeNames.h"

#include <algorithm>
#include <charconv>
#include <iterator>

#include "text/AsciiCase.h"

namespace tarnwick {

namespace {

constexpr int kDefaultTextSize = 255;

struct TypeName {
  JetTypeWord word;
  std::string_view text;
  JetType type;
  bool jetsOwn = false;     // Jet's own name of its type (JetTypeName)
  bool autoNumber = false;  // numbered by the engine as rows are added
};

using W = JetTypeWord;
using T = JetType;

// Every name Jet knows for a type, the ANSI forms and the names the engine's own types go by;
// in the order of JetTypeWord.
constexpr TypeName kTypeNames[] = {
    {W::Null, "NULL", T::Null, true},
    {W::Variant, "VARIANT", T::Variant, true},
    {W::Counter, "COUNTER", T::Long, false, true},
    {W::AutoIncrement, "AUTOINCREMENT", T::Long, false, true},
    {W::Identity, "IDENTITY", T::Long, false, true},
    {W::Long, "LONG", T::Long, true},
    {W::Integer, "INTEGER", T::Long},
    {W::Int, "INT", T::Long},
    {W::Integer4, "INTEGER4", T::Long},
    {W::Short, "SHORT", T::Short, true},
    {W::SmallInt, "SMALLINT", T::Short},
    {W::Integer2, "INTEGER2", T::Short},
    {W::Byte, "BYTE", T::Byte, true},
    {W::TinyInt, "TINYINT", T::Byte},
    {W::Integer1, "INTEGER1", T::Byte},
    {W::BigInt, "BIGINT", T::BigInt, true},
    {W::YesNo, "YESNO", T::Boolean, true},
    {W::Bit, "BIT", T::Boolean},
    {W::Logical, "LOGICAL", T::Boolean},
    {W::Logical1, "LOGICAL1", T::Boolean},
    {W::Boolean, "BOOLEAN", T::Boolean},
    {W::Single, "SINGLE", T::Single, true},
    {W::Real, "REAL", T::Single},
    {W::Float4, "FLOAT4", T::Single},
    {W::IeeeSingle, "IEEESINGLE", T::Single},
    {W::Double, "DOUBLE", T::Double, true},
    {W::Float, "FLOAT", T::Double},
    {W::Float8, "FLOAT8", T::Double},
    {W::IeeeDouble, "IEEEDOUBLE", T::Double},
    {W::Number, "NUMBER", T::Double},
    {W::Currency, "CURRENCY", T::Currency, true},
    {W::Money, "MONEY", T::Currency},
    {W::Decimal, "DECIMAL", T::Decimal, true},
    {W::Numeric, "NUMERIC", T::Decimal},
    {W::Dec, "DEC", T::Decimal},
    {W::DateTime, "DATETIME", T::DateTime, true},
    {W::Date, "DATE", T::DateTime},
    {W::Time, "TIME", T::DateTime},
    {W::Timestamp, "TIMESTAMP", T::DateTime},
    {W::Text, "TEXT", T::Text, true},
    {W::Char, "CHAR", T::Text},
    {W::VarChar, "VARCHAR", T::Text},
    {W::NVarChar, "NVARCHAR", T::Text},
    {W::NChar, "NCHAR", T::Text},
    {W::Character, "CHARACTER", T::Text},
    {W::String, "STRING", T::Text},
    {W::Alphanumeric, "ALPHANUMERIC", T::Text},
    {W::Memo, "MEMO", T::Memo, true},
    {W::LongText, "LONGTEXT", T::Memo},
    {W::LongChar, "LONGCHAR", T::Memo},
    {W::Note, "NOTE", T::Memo},
    {W::NText, "NTEXT", T::Memo},
    {W::Hyperlink, "HYPERLINK", T::Memo},
    {W::Binary, "BINARY", T::Binary, true},
    {W::VarBinary, "VARBINARY", T::Binary},
    {W::LongBinary, "LONGBINARY", T::LongBinary, true},
    {W::OleObject, "OLEOBJECT", T::LongBinary},
    {W::General, "GENERAL", T::LongBinary},
    {W::Image, "IMAGE", T::LongBinary},
    {W::Blob, "BLOB", T::LongBinary},
    {W::Guid, "GUID", T::Guid, true},
    {W::UniqueIdentifier, "UNIQUEIDENTIFIER", T::Guid},
    {W::DoublePrecision, "DOUBLE PRECISION", T::Double},
    {W::CharacterVarying, "CHARACTER VARYING", T::Text},
    {W::CharVarying, "CHAR VARYING", T::Text},
    {W::NationalCharacter, "NATIONAL CHARACTER", T::Text},
    {W::NationalChar, "NATIONAL CHAR", T::Text},
    {W::NationalCharacterVarying, "NATIONAL CHARACTER VARYING", T::Text},
    {W::NationalCharVarying, "NATIONAL CHAR VARYING", T::Text},
    {W::BinaryVarying, "BINARY VARYING", T::Binary},
    {W::BitVarying, "BIT VARYING", T::Binary},
};

constexpr bool InWordOrder() {
  for (std::size_t i = 0; i < std::size(kTypeNames); ++i) {
    if (static_cast<std::size_t>(kTypeNames[i].word) != i) return false;
  }
  return true;
}
static_assert(InWordOrder(), "kTypeNames lists the words in the order of JetTypeWord");

const TypeName& Entry(JetTypeWord word) { return kTypeNames[static_cast<std::size_t>(word)]; }

bool NamesAColumnType(const TypeName& entry) {
  return entry.type != JetType::Null && entry.type != JetType::Variant;
}

bool IsMultiWord(JetTypeWord word) { return word >= JetTypeWord::DoublePrecision; }

// The storage a Jet type promises, in the order of JetType: its texts (dates and GUIDs among
// them) as text, whole numbers as integers, floating point as reals, bytes as bytes; the
// others (nothing here) as the engine reads their names.
constexpr std::optional<ColumnAffinity> kPromisedStorage[] = {
    std::nullopt,             // Null
    std::nullopt,             // Boolean
    ColumnAffinity::Integer,  // Byte
    ColumnAffinity::Integer,  // Short
    ColumnAffinity::Integer,  // Long
    ColumnAffinity::Integer,  // BigInt
    std::nullopt,             // Currency
    ColumnAffinity::Real,     // Single
    ColumnAffinity::Real,     // Double
    std::nullopt,             // Decimal
    ColumnAffinity::Text,     // DateTime
    ColumnAffinity::Text,     // Text
    ColumnAffinity::Text,     // Memo
    ColumnAffinity::Blob,     // Binary
    ColumnAffinity::Blob,     // LongBinary
    ColumnAffinity::Text,     // Guid
    std::nullopt,             // Variant
};
static_assert(std::size(kPromisedStorage) == static_cast<std::size_t>(JetType::Variant) + 1);

// The engine's word for each affinity, and the Jet type nearest to it, in the order of
// ColumnAffinity.
constexpr std::string_view kAffinityWords[] = {"INT", "TEXT", "BLOB", "REAL", "NUMERIC"};
constexpr JetType kAffinityTypes[] = {JetType::Long, JetType::Text, JetType::LongBinary,
                                      JetType::Double, JetType::Decimal};

std::size_t IndexOf(ColumnAffinity affinity) { return static_cast<std::size_t>(affinity); }

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

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

std::optional<JetTypeWord> FindWord(std::string_view name, bool multiWord) {
  for (const TypeName& entry : kTypeNames) {
    if (NamesAColumnType(entry) && IsMultiWord(entry.word) == multiWord &&
        EqualsIgnoringAsciiCaseUtf8(entry.text, name)) {
      return entry.word;
    }
  }
  return std::nullopt;
}

}  // namespace

std::string_view JetTypeWordText(JetTypeWord word) { return Entry(word).text; }

std::string_view JetTypeName(JetType type) {
  for (const TypeName& entry : kTypeNames) {
    if (entry.jetsOwn && entry.type == type) return entry.text;
  }
  return Entry(JetTypeWord::Variant).text;
}

std::optional<JetTypeWord> FindJetTypeWord(std::string_view typeName) {
  return FindWord(typeName, typeName.find(' ') != std::string_view::npos);
}

std::optional<JetType> JetTypeOfName(std::string_view name) {
  for (const TypeName& entry : kTypeNames) {
    if (entry.jetsOwn && NamesAColumnType(entry) && EqualsIgnoringAsciiCaseUtf8(entry.text, name)) {
      return entry.type;
    }
  }
  return std::nullopt;
}

ColumnAffinity EngineAffinity(std::string_view declaredType) {
  const std::string upper = UpperAscii(declaredType);
  const auto contains = [&](std::string_view part) {
    return upper.find(part) != std::string::npos;
  };
  if (contains("INT")) return ColumnAffinity::Integer;
  if (contains("CHAR") || contains("CLOB") || contains("TEXT")) return ColumnAffinity::Text;
  if (contains("BLOB") || upper.empty()) return ColumnAffinity::Blob;
  if (contains("REAL") || contains("FLOA") || contains("DOUB")) return ColumnAffinity::Real;
  return ColumnAffinity::Numeric;
}

JetTypeInfo JetTypeInfoOf(JetTypeWord word, int size, int scale) {
  const TypeName& entry = Entry(word);
  JetTypeInfo result;
  result.type = entry.type;
  result.autoNumber = entry.autoNumber;
  result.jetDeclared = true;
  if (result.type == JetType::Text || result.type == JetType::Binary ||
      result.type == JetType::Decimal) {
    result.size = size;
    // The ANSI forms take a length, never a scale.
    result.scale = IsMultiWord(word) ? 0 : scale;
  }
  if (result.type == JetType::Text && result.size == 0) result.size = kDefaultTextSize;
  return result;
}

JetTypeInfo JetTypeInfoOf(std::string_view typeName, int size, int scale) {
  if (TrimLeft(typeName).empty()) return JetTypeInfo{};
  if (const std::optional<JetTypeWord> word = FindWord(typeName, true)) {
    return JetTypeInfoOf(*word, size, scale);
  }
  // The first word names the type ("LONG INT", "STRING TEXT").
  if (const std::optional<JetTypeWord> word =
          FindWord(typeName.substr(0, typeName.find(' ')), false)) {
    return JetTypeInfoOf(*word, size, scale);
  }
  return TypeOnly(kAffinityTypes[IndexOf(EngineAffinity(typeName))]);
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

std::string_view AffinityWordFor(JetTypeWord word) {
  const TypeName& entry = Entry(word);
  const std::optional<ColumnAffinity> promised =
      kPromisedStorage[static_cast<std::size_t>(entry.type)];
  if (!promised || EngineAffinity(entry.text) == *promised) return {};
  return kAffinityWords[IndexOf(*promised)];
}

bool IsAutoNumberType(JetTypeWord word) { return Entry(word).autoNumber; }

std::string JetTypeDeclaration(const JetTypeInfo& type) {
  if (type.autoNumber) return std::string(JetTypeWordText(JetTypeWord::Counter));
  if (type.type == JetType::Variant || type.type == JetType::Null) return {};
  std::string text(JetTypeName(type.type));
  if ((type.type == JetType::Text || type.type == JetType::Binary) && type.size > 0) {
    text += "(" + std::to_string(type.size) + ")";
  } else if (type.type == JetType::Decimal && type.size > 0) {
    text += "(" + std::to_string(type.size) + "," + std::to_string(type.scale) + ")";
  }
  return text;
}

std::optional<JetType> StoreTypeOf(const JetTypeInfo& type) {
  if (type.jetDeclared) {
    if (type.type == JetType::Null || type.type == JetType::Variant) return std::nullopt;
    return type.type;
  }
  // A type name Jet does not know takes the type closest to the engine's affinity for it;
  // what it stores must read as that type: a whole number (of any size), a number, any text.
  if (type.type == JetType::Long) return JetType::BigInt;
  if (type.type == JetType::Double || type.type == JetType::Decimal) return JetType::Double;
  if (type.type == JetType::Text) return JetType::Memo;
  return std::nullopt;
}

}  // namespace tarnwick

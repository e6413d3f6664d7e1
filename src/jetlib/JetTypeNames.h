#pragma once
// Jet's type names and their synonyms, in one table: the Jet type each one names, Jet's own
// name of each type, what the engine makes of a declared type, and what must be added so that
// a column stores what its Jet type promises.
#include <optional>
#include <string>
#include <string_view>

#include "jetlib/JetType.h"

namespace tarnwick {

// Every spelling the table knows, in its order. Null and Variant name no column's type.
enum class JetTypeWord : unsigned char {
  Null,
  Variant,
  Counter,
  AutoIncrement,
  Identity,
  Long,
  Integer,
  Int,
  Integer4,
  Short,
  SmallInt,
  Integer2,
  Byte,
  TinyInt,
  Integer1,
  BigInt,
  YesNo,
  Bit,
  Logical,
  Logical1,
  Boolean,
  Single,
  Real,
  Float4,
  IeeeSingle,
  Double,
  Float,
  Float8,
  IeeeDouble,
  Number,
  Currency,
  Money,
  Decimal,
  Numeric,
  Dec,
  DateTime,
  Date,
  Time,
  Timestamp,
  Text,
  Char,
  VarChar,
  NVarChar,
  NChar,
  Character,
  String,
  Alphanumeric,
  Memo,
  LongText,
  LongChar,
  Note,
  NText,
  Hyperlink,
  Binary,
  VarBinary,
  LongBinary,
  OleObject,
  General,
  Image,
  Blob,
  Guid,
  UniqueIdentifier,
  // The ANSI forms of Jet's names that take more than one word.
  DoublePrecision,
  CharacterVarying,
  CharVarying,
  NationalCharacter,
  NationalChar,
  NationalCharacterVarying,
  NationalCharVarying,
  BinaryVarying,
  BitVarying,
};

// The word as the table spells it: "LONG", "DOUBLE PRECISION".
std::string_view JetTypeWordText(JetTypeWord word);

// The word a type name is (any letter case, single spaces between its words); nothing for a
// name Jet does not know as a column's type.
std::optional<JetTypeWord> FindJetTypeWord(std::string_view typeName);

// The type Jet's own name of it stands for ("LONG", "TEXT", ...; any letter case), as the
// defaults of older files name jet_store's type; nothing for another name.
std::optional<JetType> JetTypeOfName(std::string_view name);

// The engine's storage preference for a column, from its declared type.
enum class ColumnAffinity { Integer, Text, Blob, Real, Numeric };

// The engine's rule: "INT" anywhere gives Integer; "CHAR", "CLOB" or "TEXT" Text; "BLOB" or
// no type Blob; "REAL", "FLOA" or "DOUB" Real; anything else Numeric.
ColumnAffinity EngineAffinity(std::string_view declaredType);

// The Jet type a type word and its size give. TEXT and its synonyms without a size hold up to
// 255 characters.
JetTypeInfo JetTypeInfoOf(JetTypeWord word, int size = 0, int scale = 0);

// The same for a type name (its words, single spaces between them; letter case does not
// matter). A name Jet does not know takes the type closest to the engine's affinity for it,
// with jetDeclared false; no name at all gives Variant.
JetTypeInfo JetTypeInfoOf(std::string_view typeName, int size = 0, int scale = 0);

// The same for a declared type as the engine keeps it: "LONG INT", "STRING TEXT(50)",
// "NUMERIC(8,0)". The first word names the type.
JetTypeInfo JetTypeInfoOfDeclaration(std::string_view declaredType);

// The word to write after a Jet type name (before any size) so that the engine stores the
// column's values as the Jet type does: "TEXT" after MEMO, "INT" after LONG, "BLOB" after
// BINARY... Empty when the name already gets the right storage.
std::string_view AffinityWordFor(JetTypeWord word);

// COUNTER, AUTOINCREMENT and IDENTITY: numbered by the engine as rows are added.
bool IsAutoNumberType(JetTypeWord word);

// The declaration of a Jet type as Jet writes it, with its size: "TEXT(50)", "LONG",
// "DECIMAL(8,2)", "COUNTER"; empty for a type no column is declared with (Variant, Null).
std::string JetTypeDeclaration(const JetTypeInfo& type);

// The type jet_store converts a column's values to: its Jet type; for a type name Jet does
// not know, the type whose conversion makes the value read as the type guessed for it;
// nothing for a column whose values are stored as they come (no type, or bytes).
std::optional<JetType> StoreTypeOf(const JetTypeInfo& type);

}  // namespace tarnwick

#pragma once
// Jet's type names and their synonyms: the Jet type each one names, what the engine makes of
// it, and what must be added so that a column stores what its Jet type promises.
#include <string>
#include <string_view>

#include "jet/JetSchema.h"

namespace tarnwick {

// The engine's storage preference for a column, from its declared type.
enum class ColumnAffinity { Integer, Text, Blob, Real, Numeric };

// The engine's rule: "INT" anywhere gives Integer; "CHAR", "CLOB" or "TEXT" Text; "BLOB" or
// no type Blob; "REAL", "FLOA" or "DOUB" Real; anything else Numeric.
ColumnAffinity EngineAffinity(std::string_view declaredType);

// The Jet type a type name (its words without size, single spaces between them; letter case
// does not matter) and its size give. A name Jet does not know takes the type closest to the
// engine's affinity for it, with jetDeclared false; no name at all gives Variant. TEXT and
// its synonyms without a size hold up to 255 characters.
JetTypeInfo JetTypeInfoOf(std::string_view typeName, int size = 0, int scale = 0);

// The same for a declared type as the engine keeps it: "LONG INT", "STRING TEXT(50)",
// "NUMERIC(8,0)". The first word names the type.
JetTypeInfo JetTypeInfoOfDeclaration(std::string_view declaredType);

// The word to write after a Jet type name (before any size) so that the engine stores the
// column's values as the Jet type does: "TEXT" after MEMO, "INT" after LONG, "BLOB" after
// BINARY... Empty when the name already gets the right storage or is not a Jet type.
std::string_view AffinityWordFor(std::string_view typeName);

// COUNTER, AUTOINCREMENT and IDENTITY: numbered by the engine as rows are added.
bool IsAutoNumberType(std::string_view typeName);

// True for a type name Jet knows, its words upper case with single spaces between them: one
// of Jet's names and synonyms, or an ANSI form of one ("DOUBLE PRECISION", "CHARACTER VARYING").
bool IsJetTypeName(std::string_view typeName);

// The declaration of a Jet type as Jet writes it, with its size: "TEXT(50)", "LONG",
// "DECIMAL(8,2)", "COUNTER"; empty for a type no column is declared with (Variant, Null).
std::string JetTypeDeclaration(const JetTypeInfo& type);

// The type as jet_store names it: "LONG", "TEXT", "DATETIME", ...; for a type name Jet does
// not know, the conversion that makes the value read as the type guessed for it; empty for a
// column whose values are stored as they come (no type, or bytes).
std::string_view StoreTypeName(const JetTypeInfo& type);

}  // namespace tarnwick

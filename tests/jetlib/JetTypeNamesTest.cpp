// The one table of Jet's type names: every spelling found again from its text, Jet's own
// names read back as their types, declared types as the engine keeps them, and the word that
// makes the engine store a column as its Jet type promises.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "jetlib/JetTypeNames.h"
#include "text/AsciiCase.h"

namespace tarnwick {
namespace {

constexpr int kWords = static_cast<int>(JetTypeWord::BitVarying) + 1;

JetTypeWord WordAt(int i) { return static_cast<JetTypeWord>(i); }

TEST(JetTypeNames, EverySpellingIsFoundFromItsTextInAnyLetterCase) {
  for (int i = 0; i < kWords; ++i) {
    const JetTypeWord word = WordAt(i);
    const std::string text(JetTypeWordText(word));
    if (word == JetTypeWord::Null || word == JetTypeWord::Variant) {
      EXPECT_EQ(FindJetTypeWord(text), std::nullopt) << text << " names no column's type";
      continue;
    }
    std::string lower = text;
    for (char& c : lower) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    EXPECT_EQ(FindJetTypeWord(text), word) << text;
    EXPECT_EQ(FindJetTypeWord(lower), word) << lower;
  }
  // A name of several words is found only whole, one of one word only alone.
  EXPECT_EQ(FindJetTypeWord("DOUBLE  PRECISION"), std::nullopt);
  EXPECT_EQ(FindJetTypeWord("PRECISION"), std::nullopt);
  EXPECT_EQ(FindJetTypeWord("LONG INT"), std::nullopt);
  EXPECT_EQ(FindJetTypeWord("ＬＯＮＧ"), std::nullopt);
  EXPECT_EQ(FindJetTypeWord(""), std::nullopt);
}

TEST(JetTypeNames, JetsOwnNameOfEachTypeReadsBackAsTheType) {
  for (int code = 0; code <= static_cast<int>(JetType::Guid); ++code) {
    const auto type = static_cast<JetType>(code);
    if (type == JetType::Null) continue;
    const std::string name(JetTypeName(type));
    EXPECT_EQ(JetTypeOfName(name), type) << name;
    EXPECT_EQ(JetTypeOfName(UpperAscii(name)), type) << name;
  }
  // Only Jet's own names: a synonym is no name of jet_store's type.
  for (std::string_view other : {"INTEGER", "VARCHAR", "NULL", "VARIANT", "", "LONG INT"}) {
    EXPECT_EQ(JetTypeOfName(other), std::nullopt) << other;
  }
}

TEST(JetTypeNames, DeclaredTypesGiveTheirJetTypeSizeAndScale) {
  struct Case {
    std::string_view declared;
    JetType type;
    int size;
    int scale;
    bool autoNumber;
    bool jetDeclared;
  };
  const Case cases[] = {
      {"LONG", JetType::Long, 0, 0, false, true},
      {"long int", JetType::Long, 0, 0, false, true},  // as the engine keeps LONG
      {"COUNTER INT", JetType::Long, 0, 0, true, true},
      {"STRING TEXT(50)", JetType::Text, 50, 0, false, true},
      {"TEXT", JetType::Text, 255, 0, false, true},
      {"VARCHAR ( 20 )", JetType::Text, 20, 0, false, true},
      {"DECIMAL(10, 2)", JetType::Decimal, 10, 2, false, true},
      {"NUMERIC(8,0)", JetType::Decimal, 8, 0, false, true},
      {"CHARACTER VARYING(30)", JetType::Text, 30, 0, false, true},
      {"DOUBLE PRECISION", JetType::Double, 0, 0, false, true},
      {"BINARY(16)", JetType::Binary, 16, 0, false, true},
      {"YESNO", JetType::Boolean, 0, 0, false, true},
      {"DATETIME", JetType::DateTime, 0, 0, false, true},
      // Names Jet does not know: the type nearest the engine's affinity.
      {"INTEGER PRIMARY KEY", JetType::Long, 0, 0, false, true},
      {"VARYING CHARACTER(10)", JetType::Text, 0, 0, false, false},
      {"FLOATING", JetType::Double, 0, 0, false, false},
      {"CLOB", JetType::Text, 0, 0, false, false},
      {"STUFF", JetType::Decimal, 0, 0, false, false},
      {"", JetType::Variant, 0, 0, false, false},
  };
  for (const Case& c : cases) {
    const JetTypeInfo info = JetTypeInfoOfDeclaration(c.declared);
    EXPECT_EQ(info.type, c.type) << c.declared;
    EXPECT_EQ(info.size, c.size) << c.declared;
    EXPECT_EQ(info.scale, c.scale) << c.declared;
    EXPECT_EQ(info.autoNumber, c.autoNumber) << c.declared;
    EXPECT_EQ(info.jetDeclared, c.jetDeclared) << c.declared;
  }
}

// The words after which the engine would not store what the Jet type promises: texts (dates
// and GUIDs among them) as text, whole numbers as integers, floating point as reals, bytes as
// bytes. Every other word needs none.
TEST(JetTypeNames, TheStorageWordIsAddedWhereTheEngineWouldStoreOtherwise) {
  const std::map<std::string_view, std::string_view> needed = {
      {"MEMO", "TEXT"},
      {"NOTE", "TEXT"},
      {"STRING", "TEXT"},
      {"ALPHANUMERIC", "TEXT"},
      {"HYPERLINK", "TEXT"},
      {"GUID", "TEXT"},
      {"UNIQUEIDENTIFIER", "TEXT"},
      {"DATETIME", "TEXT"},
      {"DATE", "TEXT"},
      {"TIME", "TEXT"},
      {"TIMESTAMP", "TEXT"},
      {"SHORT", "INT"},
      {"BYTE", "INT"},
      {"LONG", "INT"},
      {"SINGLE", "REAL"},
      {"IEEESINGLE", "REAL"},
      {"NUMBER", "REAL"},
      {"BINARY", "BLOB"},
      {"VARBINARY", "BLOB"},
      {"BINARY VARYING", "BLOB"},
      {"BIT VARYING", "BLOB"},
      {"LONGBINARY", "BLOB"},
      {"OLEOBJECT", "BLOB"},
      {"GENERAL", "BLOB"},
      {"IMAGE", "BLOB"},
  };
  for (int i = 0; i < kWords; ++i) {
    const JetTypeWord word = WordAt(i);
    if (IsAutoNumberType(word)) continue;  // COUNTER INT, whatever the word
    const std::string_view text = JetTypeWordText(word);
    const auto found = needed.find(text);
    EXPECT_EQ(AffinityWordFor(word), found == needed.end() ? "" : found->second) << text;
  }
}

TEST(JetTypeNames, ValuesAreStoredAsTheirTypeOrAsTheGuessForAnUnknownName) {
  const auto declared = [](JetType type) {
    JetTypeInfo info = TypeOnly(type);
    info.jetDeclared = true;
    return info;
  };
  EXPECT_EQ(StoreTypeOf(declared(JetType::Boolean)), JetType::Boolean);
  EXPECT_EQ(StoreTypeOf(declared(JetType::Text)), JetType::Text);
  EXPECT_EQ(StoreTypeOf(declared(JetType::Variant)), std::nullopt);
  // Not declared with a Jet name: any whole number, any number, any text.
  EXPECT_EQ(StoreTypeOf(TypeOnly(JetType::Long)), JetType::BigInt);
  EXPECT_EQ(StoreTypeOf(TypeOnly(JetType::Double)), JetType::Double);
  EXPECT_EQ(StoreTypeOf(TypeOnly(JetType::Decimal)), JetType::Double);
  EXPECT_EQ(StoreTypeOf(TypeOnly(JetType::Text)), JetType::Memo);
  EXPECT_EQ(StoreTypeOf(TypeOnly(JetType::LongBinary)), std::nullopt);
}

TEST(JetTypeNames, DeclarationsAreWrittenAsJetWritesThem) {
  EXPECT_EQ(JetTypeDeclaration(JetTypeInfoOfDeclaration("VARCHAR(20)")), "TEXT(20)");
  EXPECT_EQ(JetTypeDeclaration(JetTypeInfoOfDeclaration("NUMERIC(8, 2)")), "DECIMAL(8,2)");
  EXPECT_EQ(JetTypeDeclaration(JetTypeInfoOfDeclaration("IDENTITY")), "COUNTER");
  EXPECT_EQ(JetTypeDeclaration(JetTypeInfoOfDeclaration("BIT")), "YESNO");
  EXPECT_EQ(JetTypeDeclaration(TypeOnly(JetType::Variant)), "");
}

}  // namespace
}  // namespace tarnwick

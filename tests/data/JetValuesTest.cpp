// The readings of a Jet file's stored bytes: dates, currency, decimals, GUIDs, singles, text,
// column types and the file header.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "data/JetColumnType.h"
#include "data/JetFile.h"
#include "data/JetText.h"
#include "data/JetValues.h"

namespace tarnwick {
namespace {

TEST(JetValuesTest, DatesAreDaysFrom18991230WithTheTimeCountedForwardEvenBefore1900) {
  const struct {
    double days;
    const char* text;
  } cases[] = {
      {0.0, "1899-12-30 00:00:00"},
      {0.5, "1899-12-30 12:00:00"},  // a time alone
      {0.75 + 1.0 / 86400, "1899-12-30 18:00:01"},
      {2.0, "1900-01-01 00:00:00"},
      {61.0, "1900-03-01 00:00:00"},  // 1900 is no leap year
      {45351.25, "2024-02-29 06:00:00"},
      {-1.25, "1899-12-29 06:00:00"},
      {-36522.0, "1800-01-01 00:00:00"},
      {-18095.5, "1850-06-15 12:00:00"},
      {-115858.0, "1582-10-15 00:00:00"},
      {-657434.0, "0100-01-01 00:00:00"},
      {2958465.999988, "9999-12-31 23:59:59"},
      {0.9999999, "1899-12-31 00:00:00"},  // rounds up to the next midnight
  };
  for (const auto& c : cases) {
    EXPECT_EQ(JetDateTimeText(c.days).value_or("nothing"), c.text) << c.days;
  }
  for (double impossible : {-657435.0, 2958466.5, 1e300, std::nan("")}) {
    EXPECT_FALSE(JetDateTimeText(impossible)) << impossible;
  }
}

TEST(JetValuesTest, CurrencyIsTheExactDecimalOfItsTenThousandths) {
  const struct {
    std::int64_t stored;
    const char* text;
  } cases[] = {
      {0, "0"},
      {35000, "3.5"},
      {10000, "1"},
      {-1, "-0.0001"},
      {12345678, "1234.5678"},
      {-12300, "-1.23"},
      // 0.1 + 0.2 as a float would be 0.30000000000000004: never through a float.
      {3000, "0.3"},
      {std::numeric_limits<std::int64_t>::max(), "922337203685477.5807"},
      {std::numeric_limits<std::int64_t>::min(), "-922337203685477.5808"},
  };
  for (const auto& c : cases) EXPECT_EQ(CurrencyText(c.stored), c.text) << c.stored;
}

// A decimal's 17 bytes: the sign, then the magnitude as four little-endian 32-bit words, the
// most significant first.
std::string DecimalBytes(bool negative, std::uint32_t w3, std::uint32_t w2, std::uint32_t w1,
                         std::uint32_t w0) {
  std::string bytes(1, negative ? '\x80' : '\0');
  for (std::uint32_t word : {w3, w2, w1, w0}) {
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>((word >> (8 * i)) & 0xFF);
  }
  return bytes;
}

TEST(JetValuesTest, DecimalsReadTheirWordsMostSignificantFirstAndPlaceThePointByScale) {
  const struct {
    std::string bytes;
    int scale;
    const char* text;
  } cases[] = {
      {DecimalBytes(false, 0, 0, 0, 1), 0, "1"},
      {DecimalBytes(true, 0, 0, 0, 1), 0, "-1"},
      {DecimalBytes(false, 0, 0, 0, 12345), 2, "123.45"},
      {DecimalBytes(true, 0, 0, 0, 5), 3, "-0.005"},
      {DecimalBytes(false, 0, 0, 0, 100), 2, "1"},
      {DecimalBytes(true, 0, 0, 0, 0), 2, "0"},  // no negative zero
      {DecimalBytes(false, 0, 0, 1, 0), 0, "4294967296"},
      // 10^27 = 0x033B2E3C_9FD0803C_E8000000
      {DecimalBytes(false, 0, 0x033B2E3C, 0x9FD0803C, 0xE8000000), 27, "1"},
      {DecimalBytes(false, 0, 0x033B2E3C, 0x9FD0803C, 0xE8000001), 0,
       "1000000000000000000000000001"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecimalText(c.bytes, c.scale).value_or("nothing"), c.text) << c.text;
  }
  // More than Jet's 28 digits, a cut value, an impossible scale: no value.
  EXPECT_FALSE(DecimalText(DecimalBytes(false, 0x10, 0, 0, 0), 0));
  EXPECT_FALSE(DecimalText(DecimalBytes(false, 0, 0, 0, 1).substr(0, 16), 0));
  EXPECT_FALSE(DecimalText(DecimalBytes(false, 0, 0, 0, 1), 29));
}

TEST(JetValuesTest, GuidsShowTheirFirstThreeGroupsByteSwapped) {
  std::string bytes;
  for (int i = 0; i < 16; ++i) bytes += static_cast<char>(i == 15 ? 0xAB : i);
  EXPECT_EQ(GuidText(bytes), "{03020100-0504-0706-0809-0A0B0C0D0EAB}");
}

TEST(JetValuesTest, SinglesBecomeTheDoubleThatPrintsAsTheSingleDoes) {
  EXPECT_EQ(SingleAsDouble(1.1f), 1.1);
  EXPECT_EQ(SingleAsDouble(0.1f), 0.1);
  EXPECT_EQ(SingleAsDouble(-3.4028235e38f), -3.4028235e38);
  EXPECT_EQ(SingleAsDouble(16777216.0f), 16777216.0);
}

TEST(JetValuesTest, TextIsDecodedAsItsFormatStoresIt) {
  const JetTextEncoding unicode{true, 1252};
  const struct {
    std::string stored;
    JetTextEncoding encoding;
    const char* utf8;
  } cases[] = {
      {"\xFF\xFE"
       "abc",
       unicode, "abc"},  // compressed: one byte a character
      // Compressed, switching to two bytes a character for 日本 and back.
      {std::string("\xFF\xFE"
                   "a\0\xE5\x65\x2C\x67\0z",
                   10),
       unicode, "a日本z"},
      {std::string("\xE5\x65\x2C\x67\x9E\x8A", 6), unicode, "日本語"},
      {std::string("\x3D\xD8\x00\xDE", 4), unicode, "\xF0\x9F\x98\x80"},  // a surrogate pair
      {std::string("\x3D\xD8"
                   "a\0",
                   4),
       unicode,
       "\xEF\xBF\xBD"
       "a"},                                               // a lone surrogate
      {std::string("a\0b", 3), unicode, "a\xEF\xBF\xBD"},  // half a character
      {"caf\xE9", {false, 1252}, "café"},
      {"\x93\xFA\x96\x7B", {false, 932}, "日本"},
      {"caf\xE9", {false, 65000}, "café"},  // a code page the system lacks: read as 1252
  };
  for (const auto& c : cases) EXPECT_EQ(JetTextToUtf8(c.stored, c.encoding), c.utf8) << c.utf8;
}

TEST(JetValuesTest, ColumnTypesMapToOurJetTypesAndKinds) {
  const struct {
    JetColumnShape shape;
    const char* declared;
    TFieldType kind;
  } cases[] = {
      {{kJetText, 100, 0, 0, false, true}, "TEXT(50)", ftWideString},
      {{kJetText, 50, 0, 0, false, false}, "TEXT(50)", ftWideString},  // Jet 3: a byte each
      {{kJetMemo, 0}, "MEMO", ftMemo},
      {{kJetByte, 1}, "BYTE", ftWord},
      {{kJetInteger, 2}, "SHORT", ftSmallint},
      {{kJetLong, 4}, "LONG", ftInteger},
      {{kJetLong, 4, 0, 0, true}, "COUNTER", ftAutoInc},
      {{kJetSingle, 4}, "SINGLE", ftFloat},
      {{kJetDouble, 8}, "DOUBLE", ftFloat},
      {{kJetCurrency, 8}, "CURRENCY", ftBCD},
      {{kJetDecimal, 17, 18, 4}, "DECIMAL(18,4)", ftBCD},
      {{kJetDateTime, 8}, "DATETIME", ftDateTime},
      {{kJetYesNo, 0}, "YESNO", ftBoolean},
      {{kJetBinary, 16}, "BINARY(16)", ftBytes},
      {{kJetOle, 0}, "LONGBINARY", ftBlob},
      {{kJetGuid, 16}, "GUID", ftGuid},
      {{kJetBigInt, 8}, "BIGINT", ftLargeint},
  };
  for (const auto& c : cases) {
    const std::optional<JetColumnType> type = JetColumnTypeOf(c.shape);
    ASSERT_TRUE(type) << c.declared;
    EXPECT_EQ(type->declared, c.declared);
    EXPECT_EQ(type->kind, c.kind) << c.declared;
  }
  for (const JetColumnShape& unknown :
       {JetColumnShape{kJetComplex, 4}, JetColumnShape{0x0D, 4},
        JetColumnShape{kJetDecimal, 17, 29, 0}, JetColumnShape{kJetDecimal, 17, 5, 6}}) {
    EXPECT_FALSE(JetColumnTypeOf(unknown)) << unknown.typeCode;
  }
}

TEST(JetValuesTest, TheFormatIsToldByTheFirstBytesAlone) {
  const auto header = [](const char* name, char version) {
    std::string bytes("\x00\x01\x00\x00", 4);
    bytes += std::string(name, 15) + '\0';
    bytes += version;
    return bytes;
  };
  EXPECT_EQ(JetFormatOfHeader(header("Standard Jet DB", 0)), JetFileFormat::Jet3);
  EXPECT_EQ(JetFormatOfHeader(header("Standard Jet DB", 1)), JetFileFormat::Jet4);
  EXPECT_EQ(JetFormatOfHeader(header("Standard ACE DB", 3)), JetFileFormat::Ace);
  EXPECT_EQ(JetFormatOfHeader(header("Standard Jet DB", 1).substr(0, 20)), JetFileFormat::NotJet);
  EXPECT_EQ(JetFormatOfHeader(header("Standard XYZ DB", 1)), JetFileFormat::NotJet);
  EXPECT_EQ(JetFormatOfHeader(std::string("SQLite format 3\0\x10\0\1\1\0", 22)),
            JetFileFormat::NotJet);
}

}  // namespace
}  // namespace tarnwick

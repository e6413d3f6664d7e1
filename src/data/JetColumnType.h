#pragma once
// A Jet column's type as our engine's Jet types name it.
#include <optional>
#include <string>

#include "data/FieldKind.h"

namespace tarnwick {

// Jet's type codes, as the table definition stores them.
enum JetTypeCode : int {
  kJetYesNo = 0x01,
  kJetByte = 0x02,
  kJetInteger = 0x03,
  kJetLong = 0x04,
  kJetCurrency = 0x05,
  kJetSingle = 0x06,
  kJetDouble = 0x07,
  kJetDateTime = 0x08,
  kJetBinary = 0x09,
  kJetText = 0x0A,
  kJetOle = 0x0B,
  kJetMemo = 0x0C,
  kJetGuid = 0x0F,
  kJetDecimal = 0x10,
  kJetComplex = 0x12,
  kJetBigInt = 0x13,
};

// What decides a column's type in its definition.
struct JetColumnShape {
  int typeCode = 0;
  int size = 0;  // bytes of storage (text in Jet 4 and later: two a character)
  int precision = 0;
  int scale = 0;
  bool autoNumber = false;  // a Long Integer that Jet numbers
  bool unicodeText = true;  // Jet 4 and later
};

struct JetColumnType {
  std::string declared;  // "TEXT(50)", "DECIMAL(18,2)", "COUNTER"
  TFieldType kind = ftUnknown;
};

// Text(n) → TEXT(n), Memo → MEMO, Byte/Integer/Long Integer → BYTE/SHORT/LONG, AutoNumber →
// COUNTER, Single/Double → SINGLE/DOUBLE, Currency → CURRENCY, Decimal(p, s) → DECIMAL(p,s),
// Date/Time → DATETIME, Yes/No → YESNO, Binary(n) → BINARY(n), OLE Object → LONGBINARY,
// Replication ID → GUID, Large Number → BIGINT. Nothing for a type our engine does not have
// (attachments and multi-valued fields) or one no Jet version defines.
std::optional<JetColumnType> JetColumnTypeOf(const JetColumnShape& shape);

}  // namespace tarnwick

#include "data/FieldTypeName.h"

namespace tarnwick {

std::string_view FieldTypeName(TFieldType kind) {
  switch (kind) {
    case ftString:
      return "STRING";
    case ftSmallint:
      return "SMALLINT";
    case ftInteger:
      return "INTEGER";
    case ftWord:
      return "BYTE";
    case ftBoolean:
      return "YESNO";
    case ftFloat:
      return "FLOAT";
    case ftBCD:
      return "MONEY";
    case ftDate:
      return "DATE";
    case ftTime:
      return "TIME";
    case ftDateTime:
      return "DATETIME";
    case ftBytes:
    case ftVarBytes:
      return "BINARY";
    case ftAutoInc:
      return "COUNTER";
    case ftBlob:
      return "LONGBINARY";
    case ftMemo:
      return "MEMO";
    case ftWideString:
      return "CHAR";
    case ftLargeint:
      return "BIGINT";
    case ftGuid:
      return "GUID";
    default:
      return "???";
  }
}

}  // namespace tarnwick

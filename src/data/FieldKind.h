#pragma once
#include <string_view>

#include "jet/JetSchema.h"

namespace tarnwick {

// The kind of a result column, codes 0 to 37 in this order.
enum TFieldType : int {
  ftUnknown,
  ftString,
  ftSmallint,
  ftInteger,
  ftWord,
  ftBoolean,
  ftFloat,
  ftCurrency,
  ftBCD,
  ftDate,
  ftTime,
  ftDateTime,
  ftBytes,
  ftVarBytes,
  ftAutoInc,
  ftBlob,
  ftMemo,
  ftGraphic,
  ftFmtMemo,
  ftParadoxOle,
  ftDBaseOle,
  ftTypedBinary,
  ftCursor,
  ftFixedChar,
  ftWideString,
  ftLargeint,
  ftADT,
  ftArray,
  ftReference,
  ftDataSet,
  ftOraBlob,
  ftOraClob,
  ftVariant,
  ftInterface,
  ftIDispatch,
  ftGuid,
  ftTimeStamp,
  ftFMTBcd
};

// The kind of a column or expression of a Jet type: a COUNTER is ftAutoInc; a DECIMAL of
// fewer than 10 digits without decimals is ftInteger; a type known only when the statement
// runs (Variant, or NULL) shows as text.
TFieldType FieldKindOf(const JetTypeInfo& type);

// The kind of a table column from its declared type as the engine keeps it ("INTEGER",
// "MEMO TEXT", "NUMERIC(8,0)", "STRING TEXT(50)", ...): the first word names the type,
// a size or precision may follow. Types we do not know fall back to the engine's affinity.
TFieldType KindFromDeclaredType(std::string_view declaredType);

}  // namespace tarnwick

// Jet's conversion and test functions: CStr, CInt, ..., IsNull, IsNumeric, IsDate, IsEmpty.
#include "jetlib/FunctionLibrary.h"
#include "jetlib/JetCall.h"

namespace tarnwick::jetlib {

namespace {

void CStr(Call& call) { call.ResultText(call.Text(0)); }

template <std::int64_t Min, std::int64_t Max>
void ToWhole(Call& call) {
  call.ResultWhole(call.Whole(0, Min, Max));
}

void CSng(Call& call) {
  const auto value = SingleValue(call.Double(0));
  if (!value) Fail(JetRuntimeError::Overflow);
  call.ResultDouble(*value);
}
void CDbl(Call& call) { call.ResultDouble(call.Double(0)); }
void CDec(Call& call) { call.ResultNumber(call.Number(0)); }

void CCur(Call& call) {
  const auto units = CurrencyUnits(call.Double(0));
  if (!units) Fail(JetRuntimeError::Overflow);
  call.ResultDouble(CurrencyValue(*units));
}

void CDate(Call& call) { call.ResultDate(call.Date(0)); }
void CBool(Call& call) { call.ResultBoolean(call.Truth(0)); }
void CVar(Call& call) { call.ResultArgument(0); }

void IsNull(Call& call) { call.ResultBoolean(call.IsNull(0)); }

void IsNumeric(Call& call) {
  switch (call.Type(0)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
      return call.ResultBoolean(true);
    case SQLITE_TEXT:
      return call.ResultBoolean(ParseJetNumber(call.Text(0)).has_value());
    default:
      return call.ResultBoolean(false);
  }
}

void IsDate(Call& call) {
  call.ResultBoolean(call.Type(0) == SQLITE_TEXT && ParseJetDate(call.Text(0)).has_value());
}

// A value in a query is never Empty (only an unassigned variable is).
void IsEmpty(Call& call) { call.ResultBoolean(false); }

constexpr NullRule kRefused = NullRule::Refused;
constexpr NullRule kHandled = NullRule::Handled;

const LibraryEntry kEntries[] = {
    {Returns("CStr", "jet_cstr", 1, 1, JetType::Text), Scalar<CStr, kRefused>},
    {Returns("CInt", "jet_cint", 1, 1, JetType::Short), Scalar<ToWhole<-32768, 32767>, kRefused>},
    {Returns("CLng", "jet_clng", 1, 1, JetType::Long),
     Scalar<ToWhole<INT32_MIN, INT32_MAX>, kRefused>},
    {Returns("CByte", "jet_cbyte", 1, 1, JetType::Byte), Scalar<ToWhole<0, 255>, kRefused>},
    {Returns("CSng", "jet_csng", 1, 1, JetType::Single), Scalar<CSng, kRefused>},
    {Returns("CDbl", "jet_cdbl", 1, 1, JetType::Double), Scalar<CDbl, kRefused>},
    {Returns("CCur", "jet_ccur", 1, 1, JetType::Currency), Scalar<CCur, kRefused>},
    {Returns("CDec", "jet_cdec", 1, 1, JetType::Decimal), Scalar<CDec, kRefused>},
    {Returns("CDate", "jet_cdate", 1, 1, JetType::DateTime), Scalar<CDate, kRefused>},
    {Returns("CBool", "jet_cbool", 1, 1, JetType::Boolean), Scalar<CBool, kRefused>},
    {ReturnsArgument("CVar", "jet_cvar", 1, 1), Scalar<CVar, kHandled>},
    {Returns("IsNull", "jet_isnull", 1, 1, JetType::Boolean), Scalar<IsNull, kHandled>},
    {Returns("IsNumeric", "jet_isnumeric", 1, 1, JetType::Boolean), Scalar<IsNumeric, kHandled>},
    {Returns("IsDate", "jet_isdate", 1, 1, JetType::Boolean), Scalar<IsDate, kHandled>},
    {Returns("IsEmpty", "jet_isempty", 1, 1, JetType::Boolean), Scalar<IsEmpty, kHandled>},
};

}  // namespace

std::span<const LibraryEntry> ConversionFunctions() { return kEntries; }

}  // namespace tarnwick::jetlib

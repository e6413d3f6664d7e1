// Jet's numeric functions. Whole numbers stay whole where Jet keeps their type.
#include <bit>
#include <cmath>

#include "jetlib/FunctionLibrary.h"
#include "jetlib/JetCall.h"

namespace tarnwick::jetlib {

namespace {

void Abs(Call& call) {
  const JetNumber number = call.Number(0);
  if (number.whole && number.integer != INT64_MIN) {
    return call.ResultWhole(number.integer < 0 ? -number.integer : number.integer);
  }
  call.ResultDouble(std::fabs(number.AsDouble()));
}

void Sgn(Call& call) {
  const double value = call.Double(0);
  call.ResultWhole(value > 0 ? 1 : value < 0 ? -1 : 0);
}

// Int rounds toward minus infinity, Fix toward zero.
template <double (*Rounding)(double)>
void WholePart(Call& call) {
  const JetNumber number = call.Number(0);
  if (number.whole) return call.ResultWhole(number.integer);
  call.ResultDouble(Rounding(number.real));
}
double Floor(double value) { return std::floor(value); }
double Truncate(double value) { return std::trunc(value); }

// Round(number[, decimals]): half to even on the decimal digits.
void Round(Call& call) {
  const std::int64_t decimals = call.OptionalWhole(1, 0);
  if (decimals < 0) Fail(JetRuntimeError::InvalidArgument);
  const JetNumber number = call.Number(0);
  if (number.whole) return call.ResultWhole(number.integer);
  call.ResultDouble(
      RoundHalfToEven(number.real, static_cast<int>(std::min<std::int64_t>(decimals, 300))));
}

void Sqr(Call& call) {
  const double value = call.Double(0);
  if (value < 0) Fail(JetRuntimeError::InvalidArgument);
  call.ResultDouble(std::sqrt(value));
}

void Exp(Call& call) { call.ResultDouble(std::exp(call.Double(0))); }

void Log(Call& call) {
  const double value = call.Double(0);
  if (value <= 0) Fail(JetRuntimeError::InvalidArgument);
  call.ResultDouble(std::log(value));
}

template <double (*Function)(double)>
void Trigonometric(Call& call) {
  call.ResultDouble(Function(call.Double(0)));
}
double Sine(double value) { return std::sin(value); }
double Cosine(double value) { return std::cos(value); }
double Tangent(double value) { return std::tan(value); }
double ArcTangent(double value) { return std::atan(value); }

// Rnd([number]): VBA's 24-bit generator. A negative number starts the sequence anew from
// that number, 0 repeats the last value, anything else gives the next one.
void Rnd(Call& call) {
  thread_local std::uint32_t state = 0x50000;
  constexpr std::uint32_t kMask = 0xFFFFFF;
  const double argument = call.Has(0) ? call.Double(0) : 1;
  if (argument < 0) {
    const auto bits = std::bit_cast<std::uint32_t>(static_cast<float>(argument));
    state = (bits + (bits >> 24)) & kMask;
  }
  if (argument != 0) state = (state * 1140671485u + 12820163u) & kMask;
  call.ResultDouble(static_cast<double>(state) / 16777216.0);
}

constexpr auto kDouble = JetType::Double;
constexpr NullRule kRefused = NullRule::Refused;

const LibraryEntry kEntries[] = {
    {ReturnsArgument("Abs", "jet_abs", 1, 1), Scalar<Abs>},
    {Returns("Sgn", "jet_sgn", 1, 1, JetType::Short), Scalar<Sgn>},
    {ReturnsArgument("Int", "jet_int", 1, 1), Scalar<WholePart<Floor>>},
    {ReturnsArgument("Fix", "jet_fix", 1, 1), Scalar<WholePart<Truncate>>},
    {ReturnsArgument("Round", "jet_round", 1, 2), Scalar<Round>},
    {Returns("Sqr", "jet_sqr", 1, 1, kDouble), Scalar<Sqr, kRefused>},
    {Returns("Exp", "jet_exp", 1, 1, kDouble), Scalar<Exp, kRefused>},
    {Returns("Log", "jet_log", 1, 1, kDouble), Scalar<Log, kRefused>},
    {Returns("Sin", "jet_sin", 1, 1, kDouble), Scalar<Trigonometric<Sine>, kRefused>},
    {Returns("Cos", "jet_cos", 1, 1, kDouble), Scalar<Trigonometric<Cosine>, kRefused>},
    {Returns("Tan", "jet_tan", 1, 1, kDouble), Scalar<Trigonometric<Tangent>, kRefused>},
    {Returns("Atn", "jet_atn", 1, 1, kDouble), Scalar<Trigonometric<ArcTangent>, kRefused>},
    {Returns("Rnd", "jet_rnd", 0, 1, JetType::Single, false), Scalar<Rnd, kRefused>},
};

}  // namespace

std::span<const LibraryEntry> NumberFunctions() { return kEntries; }

}  // namespace tarnwick::jetlib

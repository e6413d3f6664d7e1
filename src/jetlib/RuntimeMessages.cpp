#include <array>
#include <string>

#include "jetlib/JetFunctions.h"
#include "text/messages/EngineMessages.h"

namespace tarnwick {

namespace {

constexpr std::array kErrors = {
    JetRuntimeError::TypeMismatch,    JetRuntimeError::Overflow,
    JetRuntimeError::InvalidArgument, JetRuntimeError::DivisionByZero,
    JetRuntimeError::FieldTooSmall,   JetRuntimeError::InvalidUseOfNull};

msg::Message MessageOf(JetRuntimeError error) {
  switch (error) {
    case JetRuntimeError::TypeMismatch:
      return msg::TypeMismatch();
    case JetRuntimeError::Overflow:
      return msg::Overflow();
    case JetRuntimeError::InvalidArgument:
      return msg::InvalidArgument();
    case JetRuntimeError::DivisionByZero:
      return msg::DivisionByZero();
    case JetRuntimeError::FieldTooSmall:
      return msg::FieldTooSmall();
    case JetRuntimeError::InvalidUseOfNull:
      return msg::InvalidUseOfNull();
  }
  return msg::TypeMismatch();
}

// The texts, made once: the engine keeps a view of them while it reports the failure.
const std::array<std::string, kErrors.size()>& Texts() {
  static const std::array<std::string, kErrors.size()> texts = [] {
    std::array<std::string, kErrors.size()> made;
    for (std::size_t i = 0; i < kErrors.size(); ++i) made[i] = MessageOf(kErrors[i]).Utf8();
    return made;
  }();
  return texts;
}

}  // namespace

std::string_view JetRuntimeMessage(JetRuntimeError error) {
  for (std::size_t i = 0; i < kErrors.size(); ++i) {
    if (kErrors[i] == error) return Texts()[i];
  }
  return Texts()[0];
}

bool IsJetRuntimeMessage(std::string_view utf8) {
  constexpr std::string_view kFullStop = "。";
  for (const std::string& text : Texts()) {
    const std::string_view sentence = std::string_view(text).substr(0, text.find(kFullStop));
    if (utf8.starts_with(sentence)) return true;
  }
  return false;
}

}  // namespace tarnwick

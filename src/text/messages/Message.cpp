#include "text/messages/Message.h"

#include "text/Cp932.h"

namespace tarnwick::msg {

Message Message::WithHint(std::string otherHint) const {
  Message message = *this;
  if (message.hint.empty()) message.hint = std::move(otherHint);
  return message;
}

std::string Message::Utf8() const {
  if (hint.empty()) return text;
  return text + "\r\n" + std::string(kHintLead) + hint;
}

std::string Message::Sjis() const { return Utf8ToSjis(Utf8()); }

Message Message::Parse(std::string_view rendered) {
  const std::string lead = "\r\n" + std::string(kHintLead);
  const std::size_t hintLine = rendered.rfind(lead);
  if (hintLine == std::string_view::npos) return {std::string(rendered), {}};
  return {std::string(rendered.substr(0, hintLine)),
          std::string(rendered.substr(hintLine + lead.size()))};
}

std::string Quoted(std::string_view name) { return "'" + std::string(name) + "'"; }

std::string QuotedPath(std::string_view utf8Path) { return "\"" + std::string(utf8Path) + "\""; }

std::string_view WithoutFullStop(std::string_view sentence) {
  constexpr std::string_view kFullStop = "。";
  if (sentence.ends_with(kFullStop)) return sentence.substr(0, sentence.size() - kFullStop.size());
  if (sentence.ends_with('.')) return sentence.substr(0, sentence.size() - 1);
  return sentence;
}

}  // namespace tarnwick::msg

#include "jet/JetViewTypes.h"

#include "jet/JetLexer.h"
#include "jetlib/JetTypeNames.h"

namespace tarnwick {

namespace {

constexpr std::string_view kOpen = "/*jet-types:";
constexpr std::string_view kClose = "*/";

std::string TypeText(const JetTypeInfo& type) {
  std::string text = JetTypeDeclaration(type);
  return text.empty() ? std::string(JetTypeName(type.type)) : text;
}

JetTypeInfo ReadType(std::string_view text) {
  JetTypeInfo type = JetTypeInfoOfDeclaration(text);
  // VARIANT and NULL are no type names of a column; the type stays unknown.
  if (SameJetName(text, JetTypeName(JetType::Variant)) ||
      SameJetName(text, JetTypeName(JetType::Null))) {
    type = JetTypeInfo{};
  }
  type.jetDeclared = false;  // a view's column converts nothing on its own
  return type;
}

}  // namespace

std::string JetViewTypeNote(const std::vector<JetTypeInfo>& types) {
  std::string note(kOpen);
  for (std::size_t i = 0; i < types.size(); ++i) {
    if (i > 0) note += ';';
    note += TypeText(types[i]);
  }
  note += kClose;
  return note;
}

std::optional<std::vector<JetTypeInfo>> ReadJetViewTypeNote(std::string_view viewSql) {
  const std::size_t open = viewSql.find(kOpen);
  if (open == std::string_view::npos) return std::nullopt;
  const std::size_t begin = open + kOpen.size();
  const std::size_t close = viewSql.find(kClose, begin);
  if (close == std::string_view::npos) return std::nullopt;
  std::string_view list = viewSql.substr(begin, close - begin);
  std::vector<JetTypeInfo> types;
  while (!list.empty()) {
    const std::size_t separator = list.find(';');
    types.push_back(ReadType(list.substr(0, separator)));
    if (separator == std::string_view::npos) break;
    list.remove_prefix(separator + 1);
  }
  return types;
}

}  // namespace tarnwick

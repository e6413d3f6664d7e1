#include "text/messages/SavedQueryMessages.h"

#include "text/Cp932.h"

namespace tarnwick::msg {

namespace {

// What each kind of query is called, in the order of SavedQueryKind; the action queries'
// names are followed by why they are no view.
constexpr std::string_view kKindNames[] = {
    "選択クエリ",       "ユニオンクエリ",
    "クロス集計クエリ", "テーブル作成クエリ",
    "追加クエリ",       "更新クエリ",
    "削除クエリ",       "データ定義クエリ",
    "パススルークエリ", "種類の分からないクエリ",
};

}  // namespace

std::string QueryNotAView(SavedQueryKind kind) {
  const std::string name(kKindNames[static_cast<std::size_t>(kind)]);
  switch (kind) {
    case SavedQueryKind::MakeTable:
    case SavedQueryKind::Append:
    case SavedQueryKind::Update:
    case SavedQueryKind::Delete:
      return name + ": アクションクエリはビューにできません";
    case SavedQueryKind::PassThrough:
      return name + "は他のデータベースで実行するため、ビューにできません";
    case SavedQueryKind::Unknown:
      return name + "です";
    case SavedQueryKind::Select:
    case SavedQueryKind::Union:
    case SavedQueryKind::Crosstab:
    case SavedQueryKind::DataDefinition:
      break;
  }
  return name + "はビューにできません";
}

std::string ParameterQueryNotAView() { return "パラメータクエリはビューにできません"; }
std::string QuerySqlUnreadable() { return "クエリの SQL を読み取れません"; }

std::string SavedQueryImported(std::string_view sjisName) {
  return Utf8ToSjis("クエリ '") + std::string(sjisName) +
         Utf8ToSjis("' をビューとして取込みました");
}

std::string SavedQueryNotImported(std::string_view sjisName, std::string_view sjisReason) {
  return Utf8ToSjis("クエリ '") + std::string(sjisName) + Utf8ToSjis("' は取り込めません (") +
         std::string(sjisReason) + ")";
}

}  // namespace tarnwick::msg

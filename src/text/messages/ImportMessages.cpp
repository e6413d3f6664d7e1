#include "text/messages/ImportMessages.h"

#include "text/Cp932.h"

namespace tarnwick::msg {

namespace {

constexpr std::string_view kActionQuery = "アクションクエリはビューにできません";

std::string ActionQuery(std::string_view kind) {
  return std::string(kind) + ": " + std::string(kActionQuery);
}

}  // namespace

std::string QueryNotAView(NotAView why) {
  switch (why) {
    case NotAView::Parameters:
      return "パラメータクエリはビューにできません";
    case NotAView::NoSql:
      return "クエリの SQL を読み取れません";
    case NotAView::Crosstab:
      return "クロス集計クエリはビューにできません";
    case NotAView::MakeTable:
      return ActionQuery("テーブル作成クエリ");
    case NotAView::Append:
      return ActionQuery("追加クエリ");
    case NotAView::Update:
      return ActionQuery("更新クエリ");
    case NotAView::Delete:
      return ActionQuery("削除クエリ");
    case NotAView::DataDefinition:
      return "データ定義クエリはビューにできません";
    case NotAView::PassThrough:
      return "パススルークエリは他のデータベースで実行するため、ビューにできません";
    case NotAView::Unknown:
      break;
  }
  return "種類の分からないクエリです";
}

std::string SavedQueryImported(std::string_view sjisName) {
  return Utf8ToSjis("クエリ '") + std::string(sjisName) +
         Utf8ToSjis("' をビューとして取込みました");
}

std::string SavedQueryNotImported(std::string_view sjisName, std::string_view sjisReason) {
  return Utf8ToSjis("クエリ '") + std::string(sjisName) + Utf8ToSjis("' は取り込めません (") +
         std::string(sjisReason) + ")";
}

}  // namespace tarnwick::msg

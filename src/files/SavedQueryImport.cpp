#include "files/SavedQueryImport.h"

#include "text/Cp932.h"

namespace tarnwick {

namespace {

constexpr const char* kActionQuery = "アクションクエリはビューにできません";

const char* Reason(SavedQueryKind kind) {
  switch (kind) {
    case SavedQueryKind::Select:
      return "選択クエリ: Jet SQL の変換がまだないため、ビューにできません";
    case SavedQueryKind::Union:
      return "ユニオンクエリ: Jet SQL の変換がまだないため、ビューにできません";
    case SavedQueryKind::Crosstab:
      return "クロス集計クエリはビューにできません";
    case SavedQueryKind::MakeTable:
    case SavedQueryKind::Append:
    case SavedQueryKind::Update:
    case SavedQueryKind::Delete:
      return kActionQuery;
    case SavedQueryKind::DataDefinition:
      return "データ定義クエリはビューにできません";
    case SavedQueryKind::PassThrough:
      return "パススルークエリは他のデータベースで実行するため、ビューにできません";
    case SavedQueryKind::Unknown:
      break;
  }
  return "種類の分からないクエリです";
}

const char* KindName(SavedQueryKind kind) {
  switch (kind) {
    case SavedQueryKind::MakeTable:
      return "テーブル作成クエリ: ";
    case SavedQueryKind::Append:
      return "追加クエリ: ";
    case SavedQueryKind::Update:
      return "更新クエリ: ";
    case SavedQueryKind::Delete:
      return "削除クエリ: ";
    default:
      return "";
  }
}

}  // namespace

std::string SavedQueryNotImportedLine(const SavedQuery& query) {
  return Sjis("クエリ '") + query.name + Sjis("' は取り込めません (") + Sjis(KindName(query.kind)) +
         Sjis(Reason(query.kind)) + ")";
}

}  // namespace tarnwick

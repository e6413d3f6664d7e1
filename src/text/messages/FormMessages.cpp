#include "text/messages/FormMessages.h"

#include <string>

namespace tarnwick::msg {

Message InvalidTop() {
  return {"TOP 句の値が正しくありません。",
          "TOP の後には 1 以上の整数を書きます。PERCENT を付けるときは 100 以下の数です。"};
}

Message CrosstabNeedsAggregate() {
  return {"TRANSFORM の後の式に集計関数がありません。",
          "TRANSFORM Sum(給与) SELECT ... のように、集計関数 (Sum、Count など) を書きます。"};
}

Message CrosstabNeedsGroupBy() {
  return {"クロス集計クエリの SELECT に GROUP BY 句がありません。",
          "行見出しにするフィールドを GROUP BY 句に書きます。"};
}

Message TooManyCrosstabColumns(std::size_t count) {
  return {"クロス集計クエリの列が多すぎます (" + std::to_string(count) + " 列)。",
          "PIVOT 式 IN (値1, 値2, ...) のように、列にする値を絞ります。"};
}

Message FieldNotUpdatable(std::string_view column) {
  return {"フィールド " + Quoted(column) + " は更新できません。", {}};
}

Message UpdateOfTwoTables() {
  return {"1 つの UPDATE ステートメントで値を設定できるのは、1 つのテーブルのフィールドだけです。",
          {}};
}

Message DeleteNeedsTable() {
  return {"削除するレコードを含むテーブルを指定してください。",
          "結合したテーブルから削除するときは DELETE 社員.* FROM 社員 INNER JOIN ... のように"
          "書きます。"};
}

Message ExecuteArgumentCount(std::string_view procedure) {
  return {
      "EXECUTE の値の数が、プロシージャ " + Quoted(procedure) + " のパラメータの数と一致しません。",
      {}};
}

Message ProcedureStatement() {
  return {
      "プロシージャにできるのは SELECT、TRANSFORM、INSERT、UPDATE、DELETE "
      "の各ステートメントです。",
      {}};
}

Message ParameterTwice(std::string_view name) {
  return {"パラメータ " + Quoted(name) + " が 2 回宣言されています。", {}};
}

Message UnknownConstraint(std::string_view name, std::string_view table) {
  return {"テーブル " + Quoted(table) + " に制約 " + Quoted(name) + " はありません。", {}};
}

Message TwoCounters() {
  return {"オートナンバー型 (COUNTER) のフィールドは、1 つのテーブルに 1 つだけです。", {}};
}

Message PrimaryKeyExists() { return {"主キーは既に存在します。", {}}; }

Message ReferenceWithoutKey(std::string_view table) {
  return {"主テーブル " + Quoted(table) +
              " の参照フィールドに対する主キーまたは固有インデックスが見つかりません。",
          {}};
}

Message ReferenceColumnCount() {
  return {"FOREIGN KEY のフィールドの数と REFERENCES のフィールドの数が一致しません。", {}};
}

Message ChangeReferencedTableInTransaction(std::string_view table) {
  return {"トランザクションの途中では、ほかのテーブルから参照されているテーブル " + Quoted(table) +
              " の定義は変更できません。",
          "COMMIT または ROLLBACK でトランザクションを終えてから変更します。"};
}

Message DefinitionNotChangeable(std::string_view table) {
  return {"テーブル " + Quoted(table) + " の定義は、この形では変更できません。", {}};
}

Message RowsBreakRelationship(std::string_view table) {
  return {"テーブル " + Quoted(table) +
              " の変更で、リレーションシップが設定されたレコードの参照先がなくなります。",
          {}};
}

}  // namespace tarnwick::msg

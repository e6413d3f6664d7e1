#include "text/messages/StatementMessages.h"

#include <string>

namespace tarnwick::msg {

namespace {

// Jet's sentence for a syntax error in a clause: where the error arises goes after `head`,
// and `tail` follows.
struct ClauseSentence {
  std::string_view head;
  std::string_view tail;
};

ClauseSentence SentenceOf(SqlClause clause) {
  switch (clause) {
    case SqlClause::Statement:
      return {"SQL ステートメントが正しくありません",
              "'DELETE'、'INSERT'、'PROCEDURE'、'SELECT'、または 'UPDATE' を使用してください。"};
    case SqlClause::Select:
      return {
          "SELECT ステートメントには、予約語、引数名、または句読点のスペルミスがあるか、"
          "欠けているものがあります",
          ""};
    case SqlClause::From:
      return {"FROM 句の構文エラーです", ""};
    case SqlClause::Join:
      return {"JOIN 操作の構文エラーです", ""};
    case SqlClause::Where:
      return {"WHERE 句の構文エラーです", ""};
    case SqlClause::GroupBy:
      return {"GROUP BY 句の構文エラーです", ""};
    case SqlClause::Having:
      return {"HAVING 句の構文エラーです", ""};
    case SqlClause::OrderBy:
      return {"ORDER BY 句の構文エラーです", ""};
    case SqlClause::InsertInto:
      return {"INSERT INTO ステートメントの構文エラーです", ""};
    case SqlClause::Update:
      return {"UPDATE ステートメントの構文エラーです", ""};
    case SqlClause::Delete:
      return {"DELETE ステートメントの構文エラーです", ""};
    case SqlClause::CreateTable:
      return {"CREATE TABLE ステートメントの構文エラーです", ""};
    case SqlClause::FieldDefinition:
      return {"フィールド定義の構文エラーです", ""};
    case SqlClause::Constraint:
      return {"CONSTRAINT 句の構文エラーです", ""};
    case SqlClause::CreateIndex:
      return {"CREATE INDEX ステートメントの構文エラーです", ""};
    case SqlClause::CreateView:
      return {"CREATE VIEW ステートメントの構文エラーです", ""};
    case SqlClause::AlterTable:
      return {"ALTER TABLE ステートメントの構文エラーです", ""};
    case SqlClause::Drop:
      return {"DROP TABLE または DROP INDEX ステートメントの構文エラーです", ""};
    case SqlClause::Transform:
      return {"TRANSFORM ステートメントの構文エラーです", ""};
    case SqlClause::Procedure:
      return {"PROCEDURE 句の構文エラーです", ""};
    case SqlClause::Parameters:
      return {"PARAMETERS 宣言の構文エラーです", ""};
  }
  return {"SQL ステートメントの構文エラーです", ""};
}

Message Sentence(ClauseSentence sentence, std::string_view where) {
  return {
      std::string(sentence.head) + " (" + std::string(where) + ")。" + std::string(sentence.tail),
      {}};
}

std::string Near(std::string_view word) { return Quoted(word) + " の付近"; }

constexpr std::string_view kAtEnd = "文が途中で終わっています";
constexpr ClauseSentence kAnyStatement{"SQL ステートメントの構文エラーです", ""};

}  // namespace

Message SyntaxError(SqlClause clause, std::string_view word) {
  return Sentence(SentenceOf(clause), Near(word));
}

Message SyntaxErrorAtEnd(SqlClause clause) { return Sentence(SentenceOf(clause), kAtEnd); }

Message SyntaxErrorNear(std::string_view word) { return Sentence(kAnyStatement, Near(word)); }

Message SyntaxErrorAtEnd() { return Sentence(kAnyStatement, kAtEnd); }

Message MissingOperator(std::string_view expression) {
  return {"クエリ式 " + Quoted(expression) + " の構文エラー: 演算子がありません。", {}};
}

Message MissingClosingParenthesis(std::string_view expression) {
  return {"クエリ式 " + Quoted(expression) + " の構文エラー: 閉じかっこ ')' がありません。", {}};
}

Message Unterminated(std::string_view opening, std::string_view start) {
  const std::string from = std::string(start) + " で始まる";
  if (opening == "[") {
    return {"名前の構文エラーです。" + from + "名前の角かっこ [ ] が閉じられていません。", {}};
  }
  if (opening == "#") {
    return {"日付の構文エラーです。" + from + "日付の # が閉じられていません。", {}};
  }
  return {"文字列の構文エラーです。" + from + "文字列の引用符 " + std::string(opening) +
              " が閉じられていません。",
          {}};
}

Message InvalidDate(std::string_view literal) {
  return {"日付の構文エラーです。" + std::string(literal) + " は正しい日付ではありません。", {}};
}

Message NestedTooDeeply() {
  return {"クエリが複雑すぎます。かっこやサブクエリの入れ子が深すぎます。", {}};
}

Message NoStatement() { return {"実行する SQL ステートメントがありません。", {}}; }

Message MoreThanOneStatement() {
  return {"SQL ステートメントは 1 つずつ実行してください。",
          "ステートメントの終わりには ; を付けます。"};
}

Message UnknownTable(std::string_view name) {
  return {"入力テーブルまたはクエリ " + Quoted(name) +
              " が見つかりません。名前が存在し、スペルが正しいかどうか確認してください。",
          {}};
}

Message UnknownColumn(std::string_view name) {
  return {"フィールド " + Quoted(name) + " が見つかりません。", {}};
}

Message UnknownFunction(std::string_view name) {
  return {"式に未定義関数 " + Quoted(name) + " があります。", {}};
}

Message UnknownIndex(std::string_view name) {
  return {"インデックス " + Quoted(name) + " が見つかりません。", {}};
}

Message UnknownFieldInInsert(std::string_view name) {
  return {"INSERT INTO ステートメントに、不明なフィールド名 " + Quoted(name) +
              " が含まれています。フィールド名が正しく入力されているかどうかを確認してから、"
              "操作をやり直してください。",
          {}};
}

Message AmbiguousColumn(std::string_view name) {
  return {"指定したフィールド " + Quoted(name) +
              " は、SQL ステートメントの FROM 句にある複数のテーブルを参照しています。",
          "フィールドの前にテーブル名を付けて、テーブル名." + std::string(name) +
              " のように書きます。"};
}

Message UnknownSourceOfStar(std::string_view qualifier) {
  return {Quoted(std::string(qualifier) + ".*") + " のテーブル " + Quoted(qualifier) +
              " が FROM 句にありません。",
          {}};
}

Message DuplicateSourceName(std::string_view name) {
  return {"FROM 句で " + Quoted(name) + " が 2 回使われています。",
          "同じテーブルを 2 回使うときは、" + std::string(name) + " AS " + std::string(name) +
              "2 のように別名を付けます。"};
}

Message TableExists(std::string_view name) {
  return {
      "テーブル " + Quoted(name) + " は既に存在します。",
      "別の名前を付けるか、作り直すなら先に DROP TABLE " + std::string(name) + " で削除します。"};
}

Message IndexExists(std::string_view name) {
  return {"インデックス " + Quoted(name) + " は既に存在します。", {}};
}

Message ObjectExists(std::string_view name) {
  return {"オブジェクト " + Quoted(name) + " は既に存在します。", {}};
}

Message DuplicateFieldDefinition(std::string_view name) {
  return {"同じフィールド " + Quoted(name) + " を 2 回以上定義することはできません。", {}};
}

Message SystemTable(std::string_view name) {
  return {"テーブル " + Quoted(name) + " はデータベースが使うテーブルのため、変更できません。", {}};
}

Message WrongArgumentCount(std::string_view function) {
  return {"関数 " + Quoted(function) + " に使用されている引数の数が正しくありません。", {}};
}

Message StarOutsideCount() { return {"'*' は SELECT の列の一覧と Count(*) にだけ書けます。", {}}; }

Message AggregateInWhere(std::string_view function) {
  return {"WHERE 句や GROUP BY 句に集計関数 " + Quoted(function) + " は使用できません。",
          "集計した結果で絞り込むときは HAVING 句を使います。"};
}

Message SubqueryColumnCount() {
  return {"サブクエリは 1 つのフィールドだけを返すように書いてください。", {}};
}

Message UnionColumnCount() {
  return {"ユニオン クエリで選択した 2 つのテーブルまたはクエリの列数が一致しません。", {}};
}

Message InsertValueCount() {
  return {"クエリの値の数と追加先のフィールドの数が一致しません。", {}};
}

Message ViewColumnCount() { return {"ビューの列名の数と SELECT の列の数が一致しません。", {}}; }

Message InsertColumnTwice(std::string_view column) {
  return {"出力先 " + Quoted(column) + " が重複しています。", {}};
}

Message OrderByPosition(std::string_view position) {
  return {"ORDER BY の列番号 " + std::string(position) + " は SELECT の列の範囲外です。", {}};
}

Message NoTablesInSelect() {
  return {"SELECT ステートメントの '*' に対応するテーブルがありません。",
          "FROM 句でテーブルを指定します。"};
}

Message TooManyColumns() { return {"定義されているフィールドが多すぎます。", {}}; }

Message TooFewParameters(int missing) {
  return {"パラメータが少なすぎます。" + std::to_string(missing) + " を指定してください。", {}};
}

Message NotPartOfAggregate(std::string_view expression) {
  return {"集計関数の一部として指定された式 " + Quoted(expression) +
              " を含んでいないクエリを実行しようとしました。",
          {}};
}

Message OrderByConflictsWithDistinct(std::string_view expression) {
  return {"ORDER BY 句 (" + std::string(expression) + ") が DISTINCT と矛盾しています。", {}};
}

Message MustUseUpdatableQuery() { return {"更新可能なクエリであることが必要です。", {}}; }

Message NotJetSql(std::string_view word) {
  return {Quoted(word) + " は Jet SQL では使えません。", {}};
}

Message TransactionAlreadyStarted() {
  return {"トランザクションは既に開始されています。",
          "COMMIT または ROLLBACK で終えてから始めます。"};
}

Message NoTransaction() {
  return {"トランザクションを開始せずに、コミットまたはロールバックしようとしました。", {}};
}

Message StatementsStillRunning() {
  return {"実行中の SQL ステートメントがあるため、トランザクションを終えられません。", {}};
}

}  // namespace tarnwick::msg

#include "jet/JetMessages.h"

#include "text/Cp932.h"

namespace tarnwick {

JetError::JetError(std::string_view utf8Message, std::size_t offset)
    : TarnwickError(Utf8ToSjis(utf8Message)), offset_(offset) {}

namespace jet_message {

namespace {

// A name or word of the user's as it stands in a message.
std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

}  // namespace

std::string SyntaxErrorNear(std::string_view word) {
  return "SQL 文の構文が正しくありません (" + Quoted(word) + " の付近)";
}

std::string SyntaxErrorAtEnd() { return "SQL 文が途中で終わっています"; }

std::string Unterminated(std::string_view what) {
  return std::string(what) + " が閉じられていません";
}

std::string InvalidDate(std::string_view literal) {
  return std::string(literal) + " は正しい日付ではありません";
}

std::string NestedTooDeeply() { return "SQL 文の入れ子 (かっこ、サブクエリ) が深すぎます"; }

std::string UnknownTable(std::string_view name) {
  return "テーブルまたはクエリ " + Quoted(name) + " が見つかりません";
}

std::string UnknownColumn(std::string_view name) {
  return "列 " + Quoted(name) + " が見つかりません";
}

std::string AmbiguousColumn(std::string_view name) {
  return "列 " + Quoted(name) + " は複数のテーブルにあります。テーブル名を付けてください";
}

std::string UnknownSourceOfStar(std::string_view qualifier) {
  return Quoted(std::string(qualifier) + ".*") + " のテーブルが FROM 句にありません";
}

std::string DuplicateSourceName(std::string_view name) {
  return "FROM 句で " + Quoted(name) + " が 2 回使われています。別名を付けてください";
}

std::string WrongArgumentCount(std::string_view function) {
  return "関数 " + Quoted(function) + " の引数の数が正しくありません";
}

std::string StarOutsideCount() { return "'*' は SELECT の列の一覧と Count(*) にだけ書けます"; }

std::string AggregateInWhere(std::string_view function) {
  return "集計関数 " + Quoted(function) + " は WHERE 句や GROUP BY 句には書けません";
}

std::string SubqueryColumnCount() { return "サブクエリの列は 1 つにしてください"; }

std::string UnionColumnCount() { return "UNION でつなぐ SELECT の列の数が一致しません"; }

std::string InsertValueCount() { return "INSERT INTO の列の数と値の数が一致しません"; }

std::string ViewColumnCount() { return "ビューの列名の数と SELECT の列の数が一致しません"; }

std::string InsertColumnTwice(std::string_view column) {
  return "列 " + Quoted(column) + " に 2 回値を設定しています";
}

std::string OrderByPosition(std::string_view position) {
  return "ORDER BY の列番号 " + std::string(position) + " は SELECT の列の範囲外です";
}

}  // namespace jet_message
}  // namespace tarnwick

#include "jet/JetMessages.h"

#include "text/Cp932.h"

namespace tarnwick {

JetError::JetError(std::string_view utf8Message, std::size_t offset)
    : TarnwickError(Utf8ToSjis(utf8Message)), offset_(offset) {}

namespace jet_message {

namespace {

// A name or word of the user's as it stands in a message.
std::string Quoted(std::string_view text) { return "'" + std::string(text) + "'"; }

// A refusal of SQL that Jet does not have, and the Jet form on a line of its own.
std::string WithHint(std::string_view message, std::string_view hint) {
  return std::string(message) + "\r\nヒント: " + std::string(hint);
}

std::string NotInJet(std::string_view what) {
  return std::string(what) + " は Jet SQL にはありません";
}

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

struct FunctionHint {
  std::string_view name;
  std::string_view hint;
};

// Functions of other SQL dialects that learners reach for, and Jet's way to say the same.
constexpr FunctionHint kFunctionHints[] = {
    {"COALESCE", "NULL の代わりの値は IIf(IsNull(式), 代わりの値, 式) と書きます"},
    {"IFNULL", "NULL の代わりの値は IIf(IsNull(式), 代わりの値, 式) と書きます"},
    {"NVL", "NULL の代わりの値は IIf(IsNull(式), 代わりの値, 式) と書きます"},
    {"NULLIF", "IIf(式1 = 式2, Null, 式1) と書きます"},
    {"CAST", "型の変換には CInt、CLng、CDbl、CCur、CStr、CDate などの関数を使います"},
    {"CONVERT", "型の変換には CInt、CLng、CDbl、CCur、CStr、CDate などの関数を使います"},
    {"SUBSTR", "文字列の一部は Mid(文字列, 開始位置, 文字数) で取り出します"},
    {"SUBSTRING", "文字列の一部は Mid(文字列, 開始位置, 文字数) で取り出します"},
    {"LENGTH", "文字数は Len(文字列) で求めます"},
    {"CHAR_LENGTH", "文字数は Len(文字列) で求めます"},
    {"UPPER", "大文字には UCase(文字列) を使います"},
    {"LOWER", "小文字には LCase(文字列) を使います"},
    {"CONCAT", "文字列の連結には & を使います (例: 姓 & 名)"},
    {"GROUP_CONCAT", "Jet には行の値をつなぐ集計関数はありません"},
    {"CURRENT_DATE", "今日の日付は Date() で求めます"},
    {"DATE_FORMAT", "日付の書式は Format(日付, 'yyyy/mm/dd') で指定します"},
    {"STRFTIME", "日付の書式は Format(日付, 'yyyy/mm/dd') で指定します"},
    {"TO_CHAR", "日付や数値の書式は Format(値, 書式) で指定します"},
    {"PRINTF", "数値の書式は Format(値, '#,##0') のように指定します"},
    {"CEIL", "-Int(-数値) が切り上げになります"},
    {"CEILING", "-Int(-数値) が切り上げになります"},
    {"FLOOR", "切り捨ては Int(数値) です"},
    {"TRUNC", "0 の方向への切り捨ては Fix(数値) です"},
    {"POWER", "べき乗は演算子 ^ で書きます (例: 2 ^ 10)"},
    {"POW", "べき乗は演算子 ^ で書きます (例: 2 ^ 10)"},
    {"SQRT", "平方根は Sqr(数値) です"},
    {"SIGN", "符号は Sgn(数値) です"},
    {"RANDOM", "乱数は Rnd() です"},
    {"POSITION", "文字列の位置は InStr(文字列, 探す文字列) で求めます"},
    {"CHARINDEX", "文字列の位置は InStr(文字列, 探す文字列) で求めます"},
};

}  // namespace

std::string NotJetLimit() {
  return WithHint(NotInJet("LIMIT と OFFSET"),
                  "先頭の n 行は SELECT TOP n ... ORDER BY ... と書きます");
}

std::string NotJetOperator(std::string_view op) {
  std::string_view hint = "文字列の連結には & を使います";
  if (op == "!=") hint = "「等しくない」は <> と書きます";
  if (op == "%") hint = "割り算の余りは Mod で求めます (例: 7 Mod 3)";
  if (op == "==") hint = "「等しい」は = と書きます";
  return WithHint(NotInJet("演算子 " + Quoted(op)), hint);
}

std::string NotJetCase() {
  return WithHint(NotInJet("CASE 式"),
                  "条件による値は IIf(条件, 真のときの値, 偽のときの値) か "
                  "Switch(条件1, 値1, 条件2, 値2, ...) で求めます");
}

std::string NotJetFunction(std::string_view name) {
  const std::string message = "式に未定義関数 " + Quoted(name) + " があります。";
  for (const FunctionHint& entry : kFunctionHints) {
    if (SameWord(entry.name, name) && !entry.hint.empty()) return WithHint(message, entry.hint);
  }
  return message;
}

std::string CountDistinct() {
  return WithHint(NotInJet("Count(DISTINCT ...)"),
                  "異なる値の数は SELECT Count(*) FROM (SELECT DISTINCT 列 FROM 表) で数えます");
}

std::string NotJetJoin(std::string_view join) {
  std::string_view hint = "結合の種類を INNER JOIN、LEFT JOIN、RIGHT JOIN から選び、ON で条件を書きます";
  if (join == "CROSS JOIN") hint = "すべての組み合わせは FROM 表1, 表2 と書きます";
  if (join == "FULL JOIN") {
    hint = "LEFT JOIN の結果と RIGHT JOIN の結果を UNION でつなぎます";
  }
  return WithHint("JOIN 操作の構文エラーです。(" + std::string(join) + " は Jet SQL にはありません)",
                  hint);
}

std::string JoinNeedsParentheses() {
  return WithHint("クエリ式の構文エラー: 演算子がありません。(3 つ以上の表の結合にはかっこが必要です)",
                  "FROM (表1 INNER JOIN 表2 ON 条件1) INNER JOIN 表3 ON 条件2 のように、"
                  "先の結合をかっこで囲みます");
}

std::string NotJetSetOperator(std::string_view op) {
  const std::string_view hint =
      op == "INTERSECT" ? "両方にある行は WHERE ... IN (SELECT ...) か EXISTS で選びます"
                        : "一方にだけある行は WHERE ... NOT IN (SELECT ...) か NOT EXISTS で選びます";
  return WithHint(NotInJet(op), hint);
}

std::string NotJetWith() {
  return WithHint(NotInJet("WITH 句"),
                  "FROM 句にサブクエリを書くか、CREATE VIEW で保存したクエリを使います");
}

std::string MultiRowValues() {
  return WithHint("Jet SQL の VALUES には 1 行しか書けません",
                  "INSERT INTO ... VALUES (...) を 1 行ずつ書くか、INSERT INTO ... SELECT を使います");
}

std::string CreateTableAsSelect() {
  return WithHint(NotInJet("CREATE TABLE ... AS SELECT"),
                  "クエリの結果から表を作るには SELECT ... INTO 新しい表 FROM ... と書きます");
}

std::string NotJetAutoIncrement(std::string_view written) {
  return WithHint("フィールド定義の構文エラーです。(" + std::string(written) +
                      " は Jet SQL にはありません)",
                  "自動で番号を振る列は 列名 COUNTER (または AUTOINCREMENT) と書きます");
}

std::string UnknownTypeName(std::string_view name) {
  return WithHint("フィールド定義の構文エラーです。(" + Quoted(name) + " という型はありません)",
                  "型には TEXT(n)、MEMO、BYTE、SHORT、LONG、SINGLE、DOUBLE、CURRENCY、DECIMAL、"
                  "DATETIME、YESNO、COUNTER、BINARY(n)、LONGBINARY、GUID などを使います");
}

std::string MissingTypeName(std::string_view column) {
  return "フィールド定義の構文エラーです。(列 " + Quoted(column) + " に型がありません)";
}


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
  return "1 つ以上の必要なパラメータの値が設定されていません。(" + Quoted(name) +
         " は列名でもパラメータ名でもないため、値のないパラメータとみなされました)";
}

std::string MissingParameter(std::string_view name) {
  return "1 つ以上の必要なパラメータの値が設定されていません。(パラメータ " + Quoted(name) +
         " の値がありません)";
}

std::string NoSuchColumn(std::string_view column, std::string_view table) {
  return "テーブル " + Quoted(table) + " にフィールド " + Quoted(column) + " はありません";
}

std::string TableExists(std::string_view name) {
  return "テーブル " + Quoted(name) + " は既に存在します。";
}

std::string UnknownProcedure(std::string_view name) {
  return "プロシージャ " + Quoted(name) + " が見つかりません";
}

std::string ProcedureExists(std::string_view name) {
  return "オブジェクト " + Quoted(name) + " は既に存在します。";
}

std::string UnknownIndex(std::string_view index, std::string_view table) {
  return "テーブル " + Quoted(table) + " にインデックス " + Quoted(index) + " はありません";
}

std::string UnknownConstraint(std::string_view name, std::string_view table) {
  return "テーブル " + Quoted(table) + " に制約 " + Quoted(name) + " はありません";
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

std::string NotGrouped(std::string_view expression) {
  return "指定された式 " + Quoted(expression) +
         " を集計関数の一部として含まないクエリを実行しようとしました。";
}

std::string DistinctOrderBy(std::string_view expression) {
  return "ORDER BY 句 (" + std::string(expression) + ") が DISTINCT と矛盾しています。";
}

std::string NotUpdatable() { return "更新可能なクエリであることが必要です。"; }

std::string ColumnNotUpdatable(std::string_view column) {
  return "フィールド " + Quoted(column) + " は更新できません。(オートナンバー型です)";
}

std::string UpdateOfTwoTables() {
  return "1 つの UPDATE で値を設定できるのは 1 つのテーブルの列だけです";
}

std::string DeleteNeedsTable() {
  return "削除するレコードを含むテーブルを指定してください。(DELETE テーブル名.* FROM ...)";
}

std::string BadTop() { return "TOP の後には 1 以上の整数 (PERCENT では 100 以下の数) を書きます"; }

std::string CrosstabNeedsAggregate() {
  return "TRANSFORM の後には集計関数 (Sum、Count など) を含む式を書きます";
}

std::string TooManyCrosstabColumns(std::size_t count) {
  return "クロス集計の列が多すぎます (" + std::to_string(count) +
         " 個)。PIVOT の値を IN (...) で絞り込んでください";
}

std::string CrosstabNeedsGroupBy() {
  return "TRANSFORM の SELECT には、行見出しにする列の GROUP BY が必要です";
}

std::string DuplicateOutputColumn(std::string_view column) {
  return "出力先 " + Quoted(column) + " が重複しています。";
}

std::string ExecuteArgumentCount(std::string_view procedure) {
  return "EXECUTE の値の数がプロシージャ " + Quoted(procedure) + " のパラメータの数と一致しません";
}

std::string ProcedureStatement() {
  return "プロシージャにできるのは SELECT、TRANSFORM、INSERT、UPDATE、DELETE の文です";
}

std::string ParameterTwice(std::string_view name) {
  return "パラメータ " + Quoted(name) + " が 2 回宣言されています";
}

std::string TwoCounters() {
  return "オートナンバー型 (COUNTER) のフィールドは 1 つのテーブルに 1 つだけです";
}

std::string TwoPrimaryKeys() { return "主キーは既に存在します。"; }

std::string ReferenceWithoutKey(std::string_view table) {
  return "主テーブル " + Quoted(table) +
         " の参照フィールドに対する主キーまたは固有インデックスが見つかりません。";
}

std::string ReferenceColumnCount() {
  return "FOREIGN KEY の列の数と REFERENCES の列の数が一致しません";
}

std::string TableInRelationship(std::string_view table) {
  return "テーブル " + Quoted(table) +
         " は 1 つ以上のリレーションシップに含まれているため、削除または変更できません。";
}

std::string ChangeReferencedTableInTransaction(std::string_view table) {
  return "トランザクションの途中では、ほかのテーブルから参照されているテーブル " + Quoted(table) +
         " の定義は変更できません";
}

std::string IndexDisallowsNull(std::string_view column) {
  return "フィールド " + Quoted(column) +
         " には Null 値を入力できません。(インデックスが WITH DISALLOW NULL です)";
}

std::string DefinitionNotChangeable(std::string_view table) {
  return "テーブル " + Quoted(table) + " の定義は、この形では変更できません";
}

std::string RowsBreakRelationship(std::string_view table) {
  return "テーブル " + Quoted(table) +
         " の変更で、リレーションシップが設定されたレコードの参照先がなくなります。";
}

}  // namespace jet_message
}  // namespace tarnwick

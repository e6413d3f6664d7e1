#include "text/messages/Hints.h"

#include "text/AsciiCase.h"
#include "text/ClosestName.h"
#include "text/messages/Message.h"

namespace tarnwick::msg::hint {

std::string DidYouMean(std::string_view closest) {
  return Quoted(closest) + " の書き間違いではありませんか。";
}

std::string ListColumnsOf(std::string_view table) {
  return "テーブル " + Quoted(table) + " のフィールドは ? " + std::string(table) +
         " で確かめられます。";
}

std::string ListTables() { return "テーブルの一覧は ? で確かめられます。"; }

std::string ForMisspeltColumn(std::string_view typed, const std::vector<std::string>& columns,
                              std::string_view table) {
  if (const std::optional<std::string> closest = ClosestName(typed, columns)) {
    return DidYouMean(*closest);
  }
  return table.empty() ? std::string() : ListColumnsOf(table);
}

std::string ForMisspeltTable(std::string_view typed, const std::vector<std::string>& tables) {
  if (const std::optional<std::string> closest = ClosestName(typed, tables)) {
    return DidYouMean(*closest);
  }
  return ListTables();
}

std::string MissingComma(std::string_view left, std::string_view right) {
  const std::string l(left);
  const std::string r(right);
  return "フィールドとフィールドの間にはコンマが必要です: " + l + ", " + r +
         "。別名を付けるときは " + l + " AS " + r + " と書きます。";
}

std::string MissingFrom(std::string_view left, std::string_view right) {
  return "FROM がありません。フィールドの一覧の後に FROM とテーブル名を書きます: " +
         std::string(left) + " FROM " + std::string(right);
}

std::string ReservedWordAsName(std::string_view word) {
  return std::string(word) + " は SQL の予約語です。名前に使うときは [" + std::string(word) +
         "] のように角かっこで囲みます。";
}

std::string ExtraComma(std::string_view keyword) {
  return std::string(keyword) +
         " の前のコンマ (,) を取ってください。最後のフィールドの後にコンマは"
         "付けません。";
}

std::string MissingBy(std::string_view keyword, std::string_view next) {
  return std::string(keyword) + " の後には BY を書きます: " + std::string(keyword) + " BY " +
         std::string(next);
}

std::string MisspeltKeyword(std::string_view typed, std::string_view keyword) {
  return std::string(typed) + " は " + std::string(keyword) + " の書き間違いではありませんか。";
}

std::string UnclosedParenthesis() { return "開きかっこ ( の数だけ閉じかっこ ) が必要です。"; }

std::string UnclosedText(std::string_view quote) {
  const std::string q(quote);
  return "文字列は " + q + "山田" + q + " のように同じ引用符で囲みます。文字列の中の " + q +
         " は " + q + q + " と 2 つ重ねて書きます。";
}

std::string UnclosedName() { return "名前は [氏名] のように [ と ] で囲みます。"; }

std::string DoubleQuotedName(std::string_view text) {
  return "\"" + std::string(text) + "\" は文字列です。フィールドやテーブルの名前を囲むときは [" +
         std::string(text) + "] のように角かっこを使います。";
}

std::string DateWithoutHashes(std::string_view typed) {
  if (typed.empty()) return "日付は #2024/04/01# のように # で囲んで書きます。";
  return std::string(typed) + " は割り算の式です。日付は #" + std::string(typed) +
         "# のように # で囲んで書きます。";
}

bool StartsWithDateUnit(std::string_view word) {
  return word.starts_with("年") || word.starts_with("月") || word.starts_with("日");
}

std::string AliasOutOfReach(std::string_view alias, std::string_view expression) {
  return Quoted(alias) +
         " は SELECT の列に付けた別名です。WHERE 句や GROUP BY 句では別名は使え"
         "ないので、元の式 " +
         std::string(expression) + " を書きます。";
}

std::string GroupOrAggregate(std::string_view expression) {
  const std::string e(expression);
  return "集計するクエリでは、" + e + " を GROUP BY 句に加えるか、Count(" + e + ") や First(" + e +
         ") のように集計関数の中に書きます。";
}

std::string ShowWhatIsSorted(std::string_view expression) {
  return "DISTINCT を使うときは、並べ替える " + std::string(expression) +
         " を SELECT の列にも加えます。";
}

std::string ParameterWithoutValue(std::string_view name) {
  return "パラメータ " + Quoted(name) +
         " に値がありません。CREATE PROCEDURE で保存し、EXECUTE プロシージャ名 値 のように値を"
         "渡して実行します。";
}

std::string UpdateFromSummary() {
  return "集計した値で更新するときは、先に SELECT ... INTO で集計結果をテーブルに保存し、その"
         "テーブルと INNER JOIN して UPDATE します。";
}

std::string CounterNotUpdatable(std::string_view column) {
  return Quoted(column) +
         " はオートナンバー型 (COUNTER) です。番号はレコードを追加したときに"
         "自動で振られ、後から変更できません。";
}

std::string NestedJoins() {
  return "3 つ以上のテーブルの結合は、FROM (社員 INNER JOIN 部署 ON ...) INNER JOIN 支店 ON "
         "... のように先の結合をかっこで囲みます。";
}

std::string JetTypeNames() {
  return "型には TEXT(n)、MEMO、BYTE、SHORT、LONG、SINGLE、DOUBLE、CURRENCY、DECIMAL、"
         "DATETIME、YESNO、COUNTER、BINARY(n)、LONGBINARY、GUID などを使います。";
}

std::string TypeAfterName(std::string_view column) {
  return "フィールド名 " + std::string(column) + " の後に TEXT(50) や LONG のように型を書きます。";
}

namespace {

struct JetForm {
  std::string_view word;
  std::string_view hint;
};

constexpr std::string_view kTop =
    "件数を絞るときは SELECT TOP 3 * FROM 社員 ORDER BY 給与 DESC のように TOP を使います。";
constexpr std::string_view kNullReplacement =
    "Null の代わりの値は IIf(IsNull(式), 代わりの値, 式) で書きます。";
constexpr std::string_view kConversion =
    "型を変えるときは CInt、CLng、CDbl、CStr、CDate などの関数を使います。";
constexpr std::string_view kMid =
    "文字列の一部を取り出すときは Mid(文字列, 開始位置, 文字数) を使います。";
constexpr std::string_view kAutoNumber = "自動で番号を振る列は COUNTER 型にします。";
constexpr std::string_view kConcatenation = "文字列をつなぐときは & を使います: 氏名 & '様'";
constexpr std::string_view kLength = "文字数は Len(文字列) で求めます。";
constexpr std::string_view kFormat =
    "日付や数値の書式は Format(値, 'yyyy/mm/dd') のように指定します。";
constexpr std::string_view kCeiling =
    "切り上げは -Int(-数値) で、切り捨ては Int(数値) で求めます。";
constexpr std::string_view kPower = "べき乗は演算子 ^ で書きます: 2 ^ 10";
constexpr std::string_view kJoinKinds =
    "結合は INNER JOIN、LEFT JOIN、RIGHT JOIN のいずれかに ON を付けて書きます。";
constexpr std::string_view kPosition = "文字列の位置は InStr(文字列, 探す文字列) で求めます。";

constexpr JetForm kJetForms[] = {
    {"LIMIT", kTop},
    {"FETCH", kTop},
    {"OFFSET", "Jet SQL には OFFSET がありません。TOP と ORDER BY で絞ります。"},
    {"||", kConcatenation},
    {"CONCAT", kConcatenation},
    {"!=", "「等しくない」は <> と書きます。"},
    {"==", "「等しい」は = と書きます。"},
    {"%", "割り算の余りは Mod で求めます: 7 Mod 3"},
    {"CASE",
     "条件で値を選ぶときは IIf(条件, 真の値, 偽の値) か Switch(条件1, 値1, 条件2, 値2, ...) "
     "を使います。"},
    {"COALESCE", kNullReplacement},
    {"IFNULL", kNullReplacement},
    {"NVL", kNullReplacement},
    {"NULLIF", "IIf(式1 = 式2, Null, 式1) と書きます。"},
    {"CAST", kConversion},
    {"CONVERT", kConversion},
    {"SUBSTR", kMid},
    {"SUBSTRING", kMid},
    {"LENGTH", kLength},
    {"CHAR_LENGTH", kLength},
    {"UPPER", "大文字にするときは UCase(文字列) を使います。"},
    {"LOWER", "小文字にするときは LCase(文字列) を使います。"},
    {"GROUP_CONCAT", "Jet SQL には行の値をつなぐ集計関数はありません。"},
    {"CURRENT_DATE", "今日の日付は Date() で求めます。"},
    {"DATE_FORMAT", kFormat},
    {"STRFTIME", kFormat},
    {"TO_CHAR", kFormat},
    {"PRINTF", kFormat},
    {"CEIL", kCeiling},
    {"CEILING", kCeiling},
    {"FLOOR", kCeiling},
    {"TRUNC", "0 の方向への切り捨ては Fix(数値) で求めます。"},
    {"POWER", kPower},
    {"POW", kPower},
    {"SQRT", "平方根は Sqr(数値) で求めます。"},
    {"SIGN", "符号は Sgn(数値) で求めます。"},
    {"RANDOM", "乱数は Rnd() で求めます。"},
    {"POSITION", kPosition},
    {"CHARINDEX", kPosition},
    {"JOIN", kJoinKinds},
    {"NATURAL", kJoinKinds},
    {"CROSS", "すべての組み合わせは FROM 社員, 部署 のようにコンマで並べて書きます。"},
    {"FULL",
     "Jet SQL には FULL JOIN がありません。LEFT JOIN と RIGHT JOIN を UNION でつなぎます。"},
    {"INTERSECT", "共通する行は IN (SELECT ...) を使った WHERE 句で取り出します。"},
    {"EXCEPT", "一方にしかない行は NOT IN (SELECT ...) を使った WHERE 句で取り出します。"},
    {"WITH", "Jet SQL には WITH がありません。サブクエリを FROM 句に直接書きます。"},
    {"AUTO_INCREMENT", kAutoNumber},
    {"AUTOINCREMENT", kAutoNumber},
    {"VARCHAR2", "文字列の列は TEXT(50) のように TEXT 型で定義します。"},
    {"COUNT(DISTINCT",
     "重複を除いた件数は SELECT Count(*) FROM (SELECT DISTINCT ...) "
     "のようにサブクエリで数えます。"},
    {"CREATE TABLE AS",
     "クエリの結果から表を作るときは SELECT ... INTO 新しい表 FROM ... を使います。"},
    {"VALUES",
     "INSERT INTO で一度に追加できるのは 1 行です。行ごとに INSERT INTO を書くか、INSERT INTO ... "
     "SELECT を使います。"},
};

}  // namespace

std::optional<std::string> JetFormOf(std::string_view word) {
  for (const JetForm& form : kJetForms) {
    if (EqualsIgnoringAsciiCase(form.word, word)) return std::string(form.hint);
  }
  return std::nullopt;
}

}  // namespace tarnwick::msg::hint

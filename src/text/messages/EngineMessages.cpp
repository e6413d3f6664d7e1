#include "text/messages/EngineMessages.h"

#include "text/AsciiCase.h"
#include "text/messages/Hints.h"

namespace tarnwick::msg {

namespace {

std::string Joined(const std::vector<std::string>& names) {
  std::string joined;
  for (const std::string& name : names) {
    if (!joined.empty()) joined += "、";
    joined += Quoted(name);
  }
  return joined;
}

std::string TheDatabase(std::string_view file) {
  return file.empty() ? "データベース" : "データベース " + QuotedPath(file);
}

// A value as a message quotes it: long texts are cut.
std::string Shown(std::string_view value) {
  constexpr std::size_t kMostBytes = 40;
  if (value.size() <= kMostBytes) return Quoted(value);
  std::size_t cut = kMostBytes;
  while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80) --cut;
  return Quoted(std::string(value.substr(0, cut)) + "...");
}

bool Is(std::string_view jetType, std::string_view name) {
  return EqualsIgnoringAsciiCase(jetType, name);
}

bool IsNumberType(std::string_view jetType) {
  for (std::string_view name :
       {"BYTE", "SHORT", "LONG", "BIGINT", "SINGLE", "DOUBLE", "DECIMAL", "CURRENCY", "YESNO"}) {
    if (Is(jetType, name)) return true;
  }
  return false;
}

// What a column of the type takes, for a hint.
std::string TakesWhat(std::string_view column, std::string_view jetType) {
  const std::string c = Quoted(column);
  if (Is(jetType, "DATETIME")) {
    return c + " は日付/時刻型のフィールドです。" + hint::DateWithoutHashes({});
  }
  if (Is(jetType, "GUID")) {
    return c +
           " は GUID 型のフィールドです。{12345678-1234-1234-1234-123456789ABC} の形で書きます。";
  }
  if (IsNumberType(jetType)) {
    return c + " は数値型のフィールドです。数値は ' で囲まずに 300000 のように書きます。";
  }
  return c + " に合う型の値を指定してください。";
}

std::string RangeOf(std::string_view jetType) {
  if (Is(jetType, "BYTE")) return "0 ～ 255";
  if (Is(jetType, "SHORT")) return "-32768 ～ 32767";
  if (Is(jetType, "LONG")) return "-2147483648 ～ 2147483647";
  return {};
}

}  // namespace

Message DuplicateValues(std::string_view table, const std::vector<std::string>& columns) {
  const std::string theTable = table.empty() ? "テーブル" : "テーブル " + Quoted(table) + " ";
  const std::string fields = Joined(columns);
  return {"インデックス、主キー、またはリレーションシップで値が重複しているので、" + theTable +
              "を変更できませんでした" + (fields.empty() ? "" : " (フィールド " + fields + ")") +
              "。",
          (fields.empty() ? std::string("同じ値") : fields + " が同じ値") +
              "のレコードが既にあります。別の値を指定するか、既にあるレコードを UPDATE で変更して"
              "ください。"};
}

namespace {

constexpr std::string_view kField = "フィールド ";
constexpr std::string_view kNullNotAllowed =
    " には Null 値を入力できません。このフィールドに値を入力してください。";

}  // namespace

bool IsNullNotAllowed(std::string_view utf8) {
  return utf8.starts_with(kField) && utf8.find(kNullNotAllowed) != std::string_view::npos;
}

Message NullNotAllowed(std::string_view table, std::string_view column) {
  const std::string field =
      Quoted(table.empty() ? std::string(column) : std::string(table) + "." + std::string(column));
  return {std::string(kField) + field + std::string(kNullNotAllowed),
          Quoted(column) +
              " は値が必要なフィールド (NOT NULL) です。INSERT INTO で省略したフィール"
              "ドは Null になるので、" +
              Quoted(column) + " の値も指定してください。"};
}

// "テーブル '部署' " or, when the engine does not say which, "関連するテーブル".
std::string TheTable(const std::vector<std::string>& tables) {
  return tables.empty() ? std::string("関連するテーブル")
                        : "テーブル " + Quoted(tables.front()) + " ";
}

Message RelatedRecordRequired(const std::vector<std::string>& parents) {
  return {TheTable(parents) +
              "にリレーションシップが設定されたレコードが必要なので、レコードの追加または変更はでき"
              "ません。",
          "参照先のテーブル" + (parents.empty() ? std::string() : " " + Joined(parents) + " ") +
              "にない値を指定しています。先に参照先にレコードを追加するか、参照先にある値を指定"
              "してください。"};
}

Message HasRelatedRecords(const std::vector<std::string>& children) {
  return {TheTable(children) +
              "にリレーションシップが設定されたレコードがあるので、レコードの削除または変更はでき"
              "ません。",
          "先に" +
              (children.empty() ? std::string("関連するテーブル") : " " + Joined(children) + " ") +
              "の関連するレコードを削除するか、別の値に変更してください。"};
}

Message TableInRelationship(std::string_view table, const std::vector<std::string>& children) {
  return {
      "テーブル " + Quoted(table) + " はリレーションシップで使用されているので、削除できません。",
      "先に参照しているテーブル" + (children.empty() ? std::string() : " " + Joined(children)) +
          " を削除するか、そのテーブルのリレーションシップ (FOREIGN KEY) を削除してください。"};
}

Message RelationshipViolated() {
  return {
      "リレーションシップが設定されたレコードが必要か、リレーションシップが設定されたレコードが"
      "あるため、この変更はできません。",
      {}};
}

Message RelationshipMismatch(std::string_view child, std::string_view parent) {
  return {"テーブル " + Quoted(child) + " のリレーションシップが正しくありません。主テーブル " +
              Quoted(parent) + " で参照されているフィールド用の固有インデックスが見つかりません。",
          "参照先のフィールドを主キーにするか、UNIQUE にしてください。"};
}

Message ValidationRuleViolated(std::string_view rule) {
  return {"1 つ以上の値が、入力規則 " + Quoted(rule) + " によって禁止されています。",
          "入力規則 (CHECK) に合う値を指定してください。"};
}

Message ConstraintViolated() {
  return {"データベースに設定されている規則に違反するため、変更できません。", {}};
}

Message TriggerRefused(std::string_view reason) {
  return {"トリガーによって変更が取り消されました: " + std::string(reason), {}};
}

Message TypeMismatch() { return {"型が一致しません。", {}}; }

Message Overflow() { return {"オーバーフローしました。", {}}; }

Message InvalidArgument() { return {"プロシージャの呼び出し、または引数が不正です。", {}}; }

Message DivisionByZero() { return {"0 で除算しました。", {}}; }

Message FieldTooSmall() {
  return {
      "フィールドのサイズが小さすぎます。追加しようとしたデータが長すぎるため、格納できません。",
      {}};
}

Message InvalidUseOfNull() { return {"Null の使い方が不正です。", {}}; }

Message TypeMismatchStoring(std::string_view column, std::string_view jetType,
                            std::string_view value) {
  return {TypeMismatch().text + "フィールド " + Quoted(column) + " に " + Shown(value) +
              " は格納できません。",
          TakesWhat(column, jetType)};
}

Message OverflowStoring(std::string_view column, std::string_view jetType, std::string_view value) {
  const std::string range = RangeOf(jetType);
  return {Overflow().text + "フィールド " + Quoted(column) + " に " + Shown(value) +
              " は格納できません。",
          range.empty() ? Quoted(column) + " に入る大きさの値を指定してください。"
                        : Quoted(column) + " に入るのは " + range + " の整数です。"};
}

Message FieldTooSmallStoring(std::string_view column, long long size) {
  return {"フィールドのサイズが小さすぎます。追加しようとしたデータが長すぎるため、フィールド " +
              Quoted(column) + " に格納できません。",
          Quoted(column) + " に入るのは " + std::to_string(size) +
              " 文字までです。短くするか、ALTER TABLE でフィールドを大きくしてください。"};
}

Message DatabaseLocked(std::string_view file) {
  return {"更新できません。" + TheDatabase(file) + " は現在ロックされています。",
          "ほかのプログラム (別の Tarnwick や tarnwick-run など) がこのデータベースを使っています。"
          "そちらの処理が終わってから、もう一度実行してください。"};
}

Message TableLocked() {
  return {"更新できません。テーブルは現在ロックされています。",
          "そのテーブルを読み込んでいる処理が終わってから、もう一度実行してください。"};
}

Message DatabaseReadOnly(std::string_view file) {
  return {TheDatabase(file) + " は読み取り専用なので、更新できません。",
          "ファイルかフォルダに書き込みの許可がありません。読み取り専用を解除するか、書き込めるフォ"
          "ルダにコピーしてから開いてください。"};
}

Message DiskIoError(std::string_view file) {
  return {TheDatabase(file) + " の読み書き中にディスクのエラーが発生しました。",
          "ディスクやネットワークの接続を確かめてください。"};
}

Message DiskFull(std::string_view file) {
  return {"ディスクに十分な空き領域がないため、" + TheDatabase(file) + " に書き込めません。",
          "不要なファイルを削除して空き領域を作ってから、もう一度実行してください。"};
}

Message DatabaseCorrupt(std::string_view file) {
  return {TheDatabase(file) +
              " を開けません。認識できないデータベースであるか、またはファイルが破損しています。",
          "バックアップから戻すか、データベースを作り直してください。"};
}

Message NotADatabase(std::string_view file) {
  return {"データベースの形式 " + (file.empty() ? std::string() : QuotedPath(file) + " ") +
              "を認識できません。",
          "このファイルはデータベースではありません。Tarnwick のデータベース "
          "ファイルを選んでください。"};
}

Message CannotOpenDatabase(std::string_view file) {
  return {TheDatabase(file) + " を開けません。",
          "ファイル名とフォルダ、読み取りと書き込みの許可を確かめてください。"};
}

Message DatabaseIsFolder(std::string_view file) {
  return {TheDatabase(file) + " はフォルダなので、データベースとして開けません。",
          "フォルダではなくファイルを指定してください。"};
}

Message TooLargeFile(std::string_view file) {
  return {TheDatabase(file) + " は大きすぎるため、扱えません。", {}};
}

Message OutOfMemory() {
  return {"メモリが不足しています。", "ほかのプログラムを閉じてから、もう一度実行してください。"};
}

Message Interrupted() { return {"実行を中断しました。", {}}; }

Message TooBig() { return {"データが大きすぎるため、格納または処理できません。", {}}; }

Message DefinitionsChanged() {
  return {
      "ほかのプログラムがデータベースの定義を変更し続けているため、この SQL ステートメントを"
      "実行できませんでした。",
      "しばらくしてから、もう一度実行してください。"};
}

Message AccessDenied() { return {"アクセスが拒否されました。", {}}; }

Message NotAuthorized() { return {"この操作は許可されていません。", {}}; }

Message TooManyValues() { return {"値が多すぎます。", {}}; }

Message Aborted() { return {"SQL ステートメントの実行が取り消されました。", {}}; }

Message AlterTableNotPossible(std::string_view table) {
  return {"テーブル " + Quoted(table) + " の定義をこのように変更することはできません。",
          "新しいテーブルを作って SELECT ... INTO や INSERT INTO ... SELECT "
          "でデータを移してください。"};
}

Message ConstraintIndex() {
  return {"主キーまたは UNIQUE 制約のインデックスは、DROP INDEX では削除できません。", {}};
}

Message DefaultNotConstant(std::string_view column) {
  return {"フィールド " + Quoted(column) + " の既定値 (DEFAULT) には定数を指定してください。", {}};
}

Message EngineFailure(int code) {
  return {
      "データベース エンジンのエラーが発生しました (エラー コード " + std::to_string(code) + ")。",
      {}};
}

}  // namespace tarnwick::msg

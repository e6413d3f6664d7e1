#include "text/messages/DatabaseMessages.h"

namespace tarnwick::msg {

Message ConnectionStringWithoutFileName(std::string_view connectionString) {
  return {"接続文字列 " + QuotedPath(connectionString) + " は \"FILE NAME=\" で始まっていません。",
          {}};
}

Message ProviderNotSupported(std::string_view descriptor, std::string_view provider) {
  return {"接続記述ファイル " + QuotedPath(descriptor) + " のプロバイダ " + QuotedPath(provider) +
              " には対応していません。",
          {}};
}

Message DatabaseFileNotFound(std::string_view path) {
  return {"データベースファイル " + QuotedPath(path) + " が見つかりません。",
          "ファイル名とフォルダ名が正しいか確かめてください。"};
}

Message CannotOpenDatabaseFile(std::string_view path, const Message& reason) {
  if (reason.text.find(QuotedPath(path)) != std::string::npos) return reason;
  return {"データベースファイル " + QuotedPath(path) + " を開けません。" + reason.text,
          reason.hint};
}

Message NotADatabaseFile(std::string_view path) {
  return {
      "ファイル " + QuotedPath(path) + " はデータベースではありません。",
      "Tarnwick のデータベースファイルを選んでください。Access のファイルは取り込んで使います。"};
}

Message CannotRegisterFunction(std::string_view engineName, int code) {
  return {"関数 " + Quoted(engineName) +
              " をデータベース エンジンに登録できません (エラー コード " + std::to_string(code) +
              ")。",
          {}};
}

Message JetFileReadOnly(std::string_view path) {
  return {"Jet ファイル " + QuotedPath(path) +
              " は読み込み専用です。SQL ステートメントは実行できません。",
          {}};
}

Message JetFileRefused(std::string_view path, std::string_view fileName) {
  return {
      "ファイル " + QuotedPath(path) +
          " は Jet (Microsoft Access) のデータベースファイルです。Tarnwick のデータベースとしては"
          "開けません (ファイルは変更していません)。",
      "中身を使うには、Tarnwick のデータベースに取り込んでください: 「ﾃﾞｰﾀﾍﾞｰｽﾌｧｲﾙの取込み」を"
      "使うか、ファイルをウィンドウにドロップするか、tarnwick-run --import " +
          std::string(fileName) + " を使います。"};
}

Message OtherProgramsDatabaseRefused(std::string_view path, std::string_view fileName) {
  return {"ファイル " + QuotedPath(path) +
              " は他のプログラムが作った SQLite のデータベースです。Tarnwick のデータベースとしては"
              "開きません (ファイルは変更していません)。",
          "中身を使うには、Tarnwick のデータベースに取り込んでください: 「ﾃﾞｰﾀﾍﾞｰｽﾌｧｲﾙの取込み」を"
          "使うか、tarnwick-run --import " +
              std::string(fileName) + " を使います。"};
}

Message JetFileNotReplaced(std::string_view path) {
  return {"ファイル " + QuotedPath(path) +
              " は Jet (Microsoft Access) のデータベースファイルのため、空のデータベースで置き換え"
              "ません (ファイルは変更していません)。",
          "別の名前を選んでください。"};
}

Message NotAJetFile() { return {"接続先は Jet ファイルではありません。", {}}; }

Message JetFileProblem(std::string_view path, std::string_view problem) {
  return {"ファイル " + QuotedPath(path) + " " + std::string(WithoutFullStop(problem)) + "。", {}};
}

std::string JetFileDamaged(std::string_view what) {
  return "は壊れています (" + std::string(what) + ")";
}

namespace {

// A name of a Jet file's own, as the reasons about the file quote it: "社員".
std::string InQuotes(std::string_view name) { return "\"" + std::string(name) + "\""; }

std::string TheTable(std::string_view table) { return "テーブル " + InQuotes(table); }

}  // namespace

std::string JetTableDefinitionOutsideFile(std::string_view table) {
  return TheTable(table) + " の定義がファイルの外を指しています";
}

std::string JetTableDefinitionUnreadable(std::string_view table) {
  return TheTable(table) + " の定義が読めません";
}

std::string JetTableCountsImpossible(std::string_view table) {
  return TheTable(table) + " の定義の列や索引の数がありえない値です";
}

std::string JetTableRowsMissing(std::string_view table, long long counted, long long read) {
  return TheTable(table) + " の行が " + std::to_string(counted) + " 行のうち " +
         std::to_string(read) + " 行しか読めません";
}

std::string JetMovedRowDamaged(std::string_view table) { return TheTable(table) + " の移動した行"; }

std::string JetMovedRowMissing(std::string_view table) {
  return TheTable(table) + " の移動した行が見つかりません";
}

std::string JetRowOutsidePage(std::string_view table) {
  return TheTable(table) + " の行がページからはみ出しています";
}

std::string JetRowUnreadable(std::string_view table) {
  return TheTable(table) + " の行が読めません";
}

std::string JetValueUnreadable(std::string_view table, std::string_view column) {
  return TheTable(table) + " の列 " + InQuotes(column) + " に読めない値があります";
}

Message JetTableNotInFile(std::string_view path, std::string_view table) {
  return {"ファイル " + QuotedPath(path) + " にテーブル " + Quoted(table) + " はありません。", {}};
}

Message MdbLibraryMissing() {
  return {"Jet (Microsoft Access) のファイルを読むためのライブラリ libmdb が見つかりません。",
          "mdbtools のライブラリ (Debian のパッケージ libmdb3) をインストールしてください。"};
}

Message MdbLibraryFunctionMissing(std::string_view function) {
  return {"ライブラリ libmdb に関数 " + std::string(function) + " がありません。",
          "mdbtools 1.0 以降のライブラリをインストールしてください。"};
}

Message NotADatabaseNotReplaced(std::string_view path) {
  return {"ファイル " + QuotedPath(path) + " はデータベースではないため、置き換えません。",
          "別の名前を選ぶか、そのファイルを先に移動してください。"};
}

Message PathNotForDescriptor(std::string_view path) {
  return {"データベースのパス " + QuotedPath(path) +
              " は改行などの制御文字を含むため、接続記述ファイルに書けません。",
          "制御文字を含まないファイル名を選んでください。"};
}

Message ResetFileInUse(std::string_view path) {
  return {"ファイル " + QuotedPath(path) + " はほかのプログラムが使用中のため初期化できません。",
          "そのプログラムを閉じてから、もう一度実行してください。"};
}

Message CompactionFileInUse(std::string_view path) {
  return {"ファイル " + QuotedPath(path) + " はほかのプログラムが使用中のため最適化できません。",
          "そのプログラムを閉じると、次に終了するときに最適化します。"};
}

Message SampleDatabaseMissing(std::string_view path) {
  return {"サンプルデータベース " + QuotedPath(path) + " が見つかりません。",
          "Tarnwick をインストールし直すか、ビルドしたフォルダのプログラムを使ってください。"};
}

Message SampleCopyFileInUse(std::string_view path) {
  return {"ファイル " + QuotedPath(path) +
              " はほかのプログラムが使用中のため、サンプルデータベースで置き換えられません。",
          "そのプログラムを閉じてから、もう一度実行してください。"};
}

Message QueryReturnsNoRows() { return {"この SQL ステートメントは結果の行を返しません。", {}}; }

Message DatasetNotOpen() { return {"データセットが開かれていません。", {}}; }

Message NoCurrentRow() { return {"現在の行がありません。", {}}; }

Message FilterNotValid(std::string_view filter) {
  return {"フィルタ " + QuotedPath(filter) + " は正しくありません。", {}};
}

Message FieldNotBeingAppended(std::string_view field) {
  return {"行の追加中ではないため、フィールド " + Quoted(field) + " に値を設定できません。", {}};
}

Message FieldValueProblem(std::string_view field, std::string_view value,
                          std::string_view problem) {
  return {"フィールド " + Quoted(field) + " の値 " + Quoted(value) + " " +
              std::string(WithoutFullStop(problem)) + "。",
          {}};
}

namespace {

Message ScriptLine(std::string_view source, int line, std::string_view problem) {
  return {QuotedPath(source) + " の " + std::to_string(line) + " 行目に" + std::string(problem) +
              "があるため読み込めません。",
          {}};
}

}  // namespace

Message ScriptHasNul(std::string_view source, int line) {
  return ScriptLine(source, line, " NUL 文字");
}

Message ScriptHasUnconvertible(std::string_view source, int line) {
  return ScriptLine(source, line, "変換できない文字")
      .WithHint(
          "Shift-JIS で表せない文字 (絵文字など) は使えません。ファイルなら、その文字コード "
          "(Shift-JIS、UTF-8 など) も確かめてください。");
}

}  // namespace tarnwick::msg

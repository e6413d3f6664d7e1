#include "text/messages/ProgramMessages.h"

namespace tarnwick::msg {

Message RunStopped() { return {"実行を中止しました。これより後のSQL文は実行していません。", {}}; }

Message StatementTimedOut(std::string_view seconds) {
  return {"実行時間が上限の " + std::string(seconds) + " 秒を超えたため、このSQL文を中止しました。",
          "WHERE 句で行を絞り込むか、--timeout で上限を延ばしてください。"};
}

Message OpenTransactionRolledBack() {
  return {"確定していないトランザクションを取り消しました (ROLLBACK)。",
          "変更を残すときは、スクリプトの最後に COMMIT を書きます。"};
}

Message GridTooLarge(std::size_t rows, std::size_t cells, std::size_t megabytes) {
  return {"結果が大きすぎるため中止しました。" + std::to_string(rows) +
              " 行を読んだところで、表示できる上限（" + std::to_string(cells) + " セルまたは " +
              std::to_string(megabytes) + " MB）に達しました。WHERE 句などで行を絞り込んでください",
          {}};
}

Message GridOutOfMemory(std::size_t rows) {
  return {"メモリが足りないため中止しました（" + std::to_string(rows) + " 行を読んだところ）", {}};
}

std::string StandardInputName() { return "標準入力"; }

Message DatabasePathIsFolder(std::string_view path) {
  return {"データベースのパス " + QuotedPath(path) + " はフォルダです。",
          "--db にはファイル名まで指定してください。"};
}

Message DescriptorWouldReplaceDatabase(std::string_view path, std::string_view descriptor) {
  return {"接続記述ファイル " + QuotedPath(descriptor) + " がデータベース " + QuotedPath(path) +
              " を置き換えてしまいます。",
          "拡張子が udl でないファイル名を選んでください。"};
}

Message PathNotShiftJis(std::string_view path) {
  return {"パス " + QuotedPath(path) + " には Shift-JIS で表せない文字が含まれています。",
          "Shift-JIS で表せる文字だけのファイル名やフォルダ名を使ってください。"};
}

Message DatabaseDoesNotExist(std::string_view path) {
  return {"データベース " + QuotedPath(path) + " はありません。",
          "新しく作るときは --new を付けます。"};
}

Message TranscriptNotWritten() { return {"実行結果を標準出力に書き出せませんでした。", {}}; }

}  // namespace tarnwick::msg

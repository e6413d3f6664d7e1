#include "text/messages/WorkbenchMessages.h"

#include <string>

namespace tarnwick::msg {

Message CommandWhileRunning() { return {"実行中です。Esc で中止できます", {}}; }

Message StateFileIgnored(std::string_view path) {
  return {"ウィンドウの状態を記録したファイル " + QuotedPath(path) +
              " は読めないため、使いませんでした。最初の状態で始めます。",
          {}};
}

Message HistoryFileDamaged(std::string_view path) {
  return {"SQLの履歴のファイル " + QuotedPath(path) +
              " は壊れているため、使いませんでした。これからの履歴で作り直します。",
          {}};
}

Message HistoryFileUnusable(std::string_view reason) {
  return {std::string(WithoutFullStop(reason)) + "。SQLの履歴は今回の実行の間だけ残ります。", {}};
}

}  // namespace tarnwick::msg

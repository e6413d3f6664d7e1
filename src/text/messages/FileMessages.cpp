#include "text/messages/FileMessages.h"

#include <cerrno>

namespace tarnwick::msg {

namespace {

struct Reason {
  std::string_view sentence;
  std::string_view hint;
};

Reason ReasonOf(int error, FileAction action) {
  const bool creating = action == FileAction::Create;
  switch (error) {
    case ENOENT:
      if (creating)
        return {"保存先のフォルダが見つかりません",
                "フォルダ名を確かめるか、先にフォルダを作ってください。"};
      return {"ファイルが見つかりません", "ファイル名とフォルダ名が正しいか確かめてください。"};
    case EACCES:
    case EPERM:
      if (creating) {
        return {"アクセスが拒否されました (書き込みの許可がありません)",
                "書き込みの許可があるフォルダ (ホーム フォルダなど) "
                "を選ぶか、ファイルの読み取り専用を解除してください。"};
      }
      return {"アクセスが拒否されました (読み取りの許可がありません)",
              "ファイルの読み取りの許可を確かめてください。"};
    case EROFS:
      return {"読み取り専用のファイル システムです",
              "読み取り専用の場所には書き込めません。書き込めるフォルダを選んでください。"};
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return {"ディスクに十分な空き領域がありません",
              "不要なファイルを削除して空き領域を作ってから、もう一度実行してください。"};
    case EISDIR:
      return {"指定された名前はフォルダです", "フォルダではなくファイルの名前を指定してください。"};
    case ENOTDIR:
      return {"パスの途中にフォルダではないファイルがあります", "フォルダ名を確かめてください。"};
    case ENAMETOOLONG:
      return {"ファイル名が長すぎます", "もっと短いファイル名かフォルダを選んでください。"};
    case EEXIST:
      return {"同じ名前のファイルが既にあります", "別の名前を付けてください。"};
    case EBUSY:
    case ETXTBSY:
      return {"ほかのプログラムが使用中です",
              "そのプログラムを閉じてから、もう一度実行してください。"};
    case EAGAIN:
      return {"ファイルはロックされています", "しばらくしてから、もう一度実行してください。"};
    case ELOOP:
      return {"シンボリック リンクがループしています", {}};
    case EMFILE:
    case ENFILE:
      return {"開いているファイルが多すぎます",
              "ほかのプログラムを閉じてから、もう一度実行してください。"};
    case EIO:
      return {"ディスクの読み書きでエラーが発生しました",
              "ディスクやネットワークの接続を確かめてください。"};
    case EFBIG:
      return {"ファイルが大きすぎます", {}};
    case EINVAL:
      return {"ファイル名が正しくありません", {}};
    case ENXIO:
    case ENODEV:
      return {"デバイスが見つかりません", {}};
    case EXDEV:
      return {"別のドライブには移動できません", {}};
    case ENOTEMPTY:
      return {"フォルダが空ではありません", {}};
    case ENOMEM:
      return {"メモリが不足しています", {}};
    case EINTR:
      return {"操作が中断されました", "もう一度実行してください。"};
    default:
      return {{}, {}};
  }
}

Message FileMessage(std::string_view path, int error, FileAction action, std::string_view failure) {
  const Reason reason = ReasonOf(error, action);
  return {"ファイル " + QuotedPath(path) + std::string(failure) + FileReason(error, action) + "。",
          std::string(reason.hint)};
}

}  // namespace

std::string FileReason(int error, FileAction action) {
  const Reason reason = ReasonOf(error, action);
  if (!reason.sentence.empty()) return std::string(reason.sentence);
  return "システムのエラーが発生しました (エラー番号 " + std::to_string(error) + ")";
}

Message CannotCreateFile(std::string_view path, int error) {
  return FileMessage(path, error, FileAction::Create, " を作成できません。");
}

Message CannotOpenFile(std::string_view path, int error) {
  return FileMessage(path, error, FileAction::Open, " は開けません。");
}

}  // namespace tarnwick::msg

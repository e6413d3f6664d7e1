#include "jet/functions/JetFunctions.h"

namespace tarnwick {

std::string_view JetRuntimeMessage(JetRuntimeError error) {
  switch (error) {
    case JetRuntimeError::TypeMismatch:
      return "型が一致しません。";
    case JetRuntimeError::Overflow:
      return "オーバーフローしました。";
    case JetRuntimeError::InvalidArgument:
      return "プロシージャの呼び出し、または引数が不正です。";
    case JetRuntimeError::DivisionByZero:
      return "0 で除算しました。";
    case JetRuntimeError::FieldTooSmall:
      return "フィールドのサイズが小さすぎます。追加しようとしたデータが長すぎるため、格納できま"
             "せん。";
    case JetRuntimeError::InvalidUseOfNull:
      return "Null の使い方が不正です。";
  }
  return "型が一致しません。";
}

}  // namespace tarnwick

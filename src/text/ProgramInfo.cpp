#include "text/ProgramInfo.h"

namespace tarnwick {

std::string VersionText(std::string_view programName) {
  std::string text(programName);
  text += "（Tarnwick 学習用SQLコンソール）バージョン ";
  text += ProgramVersion();
  text += '\n';
  text += kOwnershipNotice;
  text += '\n';
  return text;
}

}  // namespace tarnwick

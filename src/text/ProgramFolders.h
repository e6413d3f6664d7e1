#pragma once
#include <string>

namespace tarnwick {

// The folder of the running executable, ending in '/' (console text).
std::string ExecutableDir();

// The per-user data folder "$XDG_DATA_HOME/tarnwick/" (else "~/.local/share/tarnwick/"),
// created when missing; console text ending in '/'. Throws TarnwickError
// ("ファイル "%s". %s を作成できません") when it cannot be created.
std::string UserDataDir();

}  // namespace tarnwick

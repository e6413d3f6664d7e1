#pragma once
#include <string>

#include "text/TarnwickError.h"

namespace tarnwick::test {

// The message of the TarnwickError a call throws, or an empty text when it throws none.
template <typename Call>
std::string ThrownMessage(Call call) {
  try {
    call();
  } catch (const TarnwickError& error) {
    return error.what();
  }
  return {};
}

}  // namespace tarnwick::test

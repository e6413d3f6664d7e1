#pragma once
// A window seam for tests: records the connect command's captions (in UTF-8, so that
// expectations read as written) and the busy pointer's calls.
#include <string>
#include <string_view>
#include <vector>

#include "files/DatabaseUi.h"
#include "text/Cp932.h"

namespace tarnwick::test {

class FakeDatabaseUi : public DatabaseUi {
 public:
  void SetConnectCaption(std::string_view sjisCaption) override {
    captions.push_back(SjisToUtf8(sjisCaption));
  }
  void BeginBusy() override {
    ++busyCalls;
    ++busyDepth;
  }
  void EndBusy() override { --busyDepth; }
  void ShowError(std::string_view) override {}

  // The caption last set, or empty when none was.
  std::string Caption() const { return captions.empty() ? std::string() : captions.back(); }

  std::vector<std::string> captions;
  int busyCalls = 0;  // how often the busy pointer was shown
  int busyDepth = 0;  // 0 when the arrow pointer is back
};

}  // namespace tarnwick::test

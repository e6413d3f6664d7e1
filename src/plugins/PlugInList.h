#pragma once
// The functions the plug-in libraries offer, gathered once at start-up.
#include <string>
#include <vector>

namespace tarnwick {

class ResultPane;

// A function a plug-in offers: its display name (Shift-JIS, as the plug-in wrote it) and its
// entry address as the plug-in gave it. The program never calls the entries.
struct PlugInFunction {
  std::string name;
  void* entry = nullptr;
};

// In discovery order; the same name may occur more than once.
using PlugInList = std::vector<PlugInFunction>;

// Appends each name as a line to the pane, in list order, and nothing else.
void ListPlugIns(const PlugInList& plugIns, ResultPane& pane);

}  // namespace tarnwick

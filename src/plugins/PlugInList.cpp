#include "plugins/PlugInList.h"

#include "text/ResultPane.h"

namespace tarnwick {

void ListPlugIns(const PlugInList& plugIns, ResultPane& pane) {
  for (const PlugInFunction& function : plugIns) pane.AppendLine(function.name);
}

}  // namespace tarnwick

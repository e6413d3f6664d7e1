#include "jet/JetMessages.h"

namespace tarnwick {

JetError::JetError(msg::Diagnostic diagnostic, std::size_t offset)
    : TarnwickError(msg::Render(diagnostic)), diagnostic_(std::move(diagnostic)), offset_(offset) {}

}  // namespace tarnwick

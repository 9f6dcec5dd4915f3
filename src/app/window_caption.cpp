#include "app/window_caption.h"

#include "storage/project_context.h"

namespace arkona::app {

std::string mainWindowCaption(const std::string& projectName) {
    const auto first = projectName.find_first_not_of(" \t");
    const std::string shown = first == std::string::npos ? "bez názvu" : projectName;
    return std::string(storage::kApplicationTitle) + " [" + shown + "]";
}

} // namespace arkona::app

#include "runtime/paths.h"

namespace vemo {

std::string FolderOfModulePath(std::string_view module_path) {
    const auto last = module_path.rfind('\\');
    if (last == std::string_view::npos) return std::string(module_path);
    return std::string(module_path.substr(0, last + 1));
}

std::string TemporaryPathFor(std::string_view path) {
    return std::string(path) + ".saving";
}

}  // namespace vemo

#include "app/file_choice.h"

#include "runtime/shell.h"
#include "runtime/text.h"

namespace vemo {

std::string ChooseFile(const std::string& title, const DialogDefinition* owner,
                       const std::string& filter) {
    const std::string path = FileDialog(title, owner, 1, filter, "", 0, "C:\\");
    if (path.size() <= kTextCapacity) return path;
    ShowMessage(owner,
                "The path is longer than 254 characters: \r\n choose a file with a shorter path.",
                "Error...file name...", 0);
    return {};
}

}  // namespace vemo

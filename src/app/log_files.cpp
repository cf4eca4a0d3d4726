#include "app/log_files.h"

#include "app/state.h"
#include "app/task_list.h"
#include "runtime/files.h"
#include "runtime/shell.h"

namespace vemo {

std::string LogFileName() {
    return "VemoLog-" + TaskList().DatabaseName + ".txt";
}

bool AddToTxtFile(const std::string& line, SaveReport report) {
    FileHandle note;
    if (OpenFile(note, TextFile, "AddFile.txt", "a") != 0) {
        if (report == SaveReport::Show) {
            ShowMessage(nullptr, "Problem adding note to backup text file",
                        "error...AddToTxtFile...", 0);
        }
        return false;
    }
    WriteItem(note, TextFile, line);
    CloseFile(note, TextFile);
    return true;
}

}  // namespace vemo

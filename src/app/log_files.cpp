#include "app/log_files.h"

#include "app/log_lines.h"
#include "app/state.h"
#include "app/task_list.h"
#include "app/task_model.h"
#include "runtime/files.h"
#include "runtime/shell.h"

namespace vemo {

std::string LogFileName() {
    return "VemoLog-" + TaskList().DatabaseName + ".txt";
}

void SendToLog() {
    TaskListState& list = TaskList();
    // The row the user chose, wherever the tick has moved the selection since.
    const int row = list.RowSelected == 1 ? list.SelectedRow : Tasks().Selection(TaskField::Text);
    list.SelectedRow = row;
    FileHandle log;
    if (OpenFile(log, TextFile, LogFileName(), "a") != 0) {
        ShowMessageBox(Owner(), "Unable to write to log", "Error...sub SendToLog...", 0);
        return;
    }
    WriteItem(log, TextFile, LogLine(Tasks().Row(row), DateText("dd'-'MM'-'yyyy")));
    CloseFile(log, TextFile);
    if (list.RowSelected == 1 && row >= 0 && row < list.RowCount) {
        Tasks().Delete(row);
        list.RowSelected = 0;
        list.RowCount -= 1;
    } else {
        ShowMessageBox(Owner(), "Problem deleting entry", "Error!", 0);
    }
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

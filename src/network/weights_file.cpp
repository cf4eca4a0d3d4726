#include "network/weights_file.h"

#include "app/state.h"
#include "network/network_state.h"
#include "runtime/atomic_file.h"
#include "runtime/files.h"
#include "runtime/shell.h"

namespace vemo {

namespace {

std::string WeightsPath() {
    return ProgramFolder() + "weights.ini";
}

}  // namespace

void LoadWeights() {
    FileHandle file;
    if (OpenFile(file, TextFile, WeightsPath(), "r") != 0) {
        ShowMessageBox(Owner(), "Unable to load NN INI file", "Error...load weights data...", 0);
        return;
    }
    FileSource source(file);
    ParseWeights(source, Network().Values);
    CloseFile(file, TextFile);
}

void SaveWeights() {
    if (!ReplaceFileAtomically(WeightsPath(), FormatWeights(Network().Values))) {
        TraceSaveFailure("SaveWeights", GetLastError());
        ShowMessageBox(Owner(), "Unable to create NN INI file", "Error...save weights...", 0);
    }
}

void RemoveLeftoverWeightsSave() {
    RemoveLeftoverTemporary(WeightsPath());
}

}  // namespace vemo

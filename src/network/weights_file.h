// Loading and saving "weights.ini" in the program folder.
#pragma once

namespace vemo {

void LoadWeights();
void SaveWeights();
// The temporary file a crashed save may have left beside it.
void RemoveLeftoverWeightsSave();

}  // namespace vemo

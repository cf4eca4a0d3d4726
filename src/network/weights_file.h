// Loading and saving "weights.ini" in the program folder.
#pragma once

namespace vemo {

void LoadWeights();
void SaveWeights();

}  // namespace vemo

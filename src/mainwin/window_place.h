// Where the main window stands and how its two stored check boxes are: noted
// as they change, for the settings to store at the next save, even one made
// after the window has gone.
#pragma once

namespace vemo {

void RememberWindowState();

}  // namespace vemo

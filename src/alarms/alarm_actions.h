// What an alarm does besides restoring the window from the tray: start the
// chosen program, play the chosen sound; and the message file that mirrors
// the message line for other programs.
#pragma once

namespace vemo {

// An alarm's own actions after the window is back from the tray (which the
// main window does first): start the chosen program, play the chosen sound.
void RunAlarmProgramAndSound();

// SoundTestMode 1 plays SoundPath, 0 closes it; other values send nothing.
void PlaySoundFile();

// Rewrites the message file when the line it would hold has changed. A file
// that cannot be written is skipped silently and tried again next time.
void WriteMessageFile();
// The temporary file a replacement cut short may have left beside it.
void RemoveLeftoverMessageFile();

}  // namespace vemo

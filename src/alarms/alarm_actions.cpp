#include "alarms/alarm_actions.h"

#include "alarms/alarm_rules.h"
#include "alarms/scheduler_state.h"
#include "app/message_line.h"
#include "app/state.h"
#include "runtime/atomic_file.h"
#include "runtime/shell.h"

namespace vemo {

namespace {

constexpr char kMessageFileName[] = "VemoMessage.txt";

}  // namespace

void RunAlarmProgramAndSound() {
    const Settings& settings = SettingsOf().Values;
    if (settings.run_program == 1) OpenDocument(settings.program_path, "");
    if (settings.play_sound == 1) {
        Scheduler().SoundTestMode = 1;
        PlaySoundFile();
    }
}

void PlaySoundFile() {
    const int mode = Scheduler().SoundTestMode;
    if (mode != 0 && mode != 1) return;
    const std::string short_path = ShortPathName(SettingsOf().Values.sound_path);
    SendMultimediaCommand(SoundCommand(mode == 1 ? "Play " : "Close ", short_path));
}

void WriteMessageFile() {
    Settings& settings = SettingsOf().Values;
    if (settings.message_file_path.empty()) {
        settings.message_file_path = ProgramFolder() + kMessageFileName;
    }
    SchedulerState& scheduler = Scheduler();
    const std::string line = MessageFileLine(settings.message_prefix, Message().Text());
    if (line == scheduler.LastMessage) return;
    // Replaced in one move, so a program reading it never sees half a line.
    const std::string content = MessageFileContent(settings.fine_tune, settings.import_file_path,
                                                   scheduler.AlarmText, line);
    if (ReplaceFileAtomically(settings.message_file_path, content, SaveFlush::NoFlush)) {
        scheduler.LastMessage = line;
    }
}

void RemoveLeftoverMessageFile() {
    const std::string& path = SettingsOf().Values.message_file_path;
    RemoveLeftoverTemporary(path.empty() ? ProgramFolder() + kMessageFileName : path);
}

}  // namespace vemo

#include "alarms/alarm_action_dialog.h"

#include "alarms/alarm_actions.h"
#include "alarms/scheduler_state.h"
#include "app/file_choice.h"
#include "app/state.h"
#include "app/task_list.h"
#include "runtime/controls.h"
#include "runtime/events.h"
#include "runtime/layout_rows.h"
#include "runtime/text.h"

namespace vemo {

namespace {

namespace id = ids::alarm;

constexpr char kProgramFilter[] =
    "All Files (*.*)|*.*|Program Files (*.exe)|*.exe|Screensaver Files (*.scr)|*.scr|";
constexpr char kSoundFilter[] =
    "Mp3 Files (*.mp3)|*.mp3|Karaoke Files(*.kar)|*.kar|Midi files (*.mid)|*.mid|Wave "
    "Files(*.wav)|*.wav||";

DialogDefinition& Dialog() {
    return AlarmActionDialog();
}

void OnAlarmActionInit() {
    DialogDefinition& dialog = Dialog();
    const Settings& settings = SettingsOf().Values;
    SetClassIcon(dialog, Program().AppIcon.get());
    CentreWindow(dialog);
    // The settings hold no more than this; the edits must not deliver more.
    for (int edit : {id::ProgramPathEdit, id::SoundPathEdit}) {
        SetTextLimit(dialog, edit, kTextCapacity);
    }
    SetCheck(dialog, id::RunProgramCheck, settings.run_program);
    SetCheck(dialog, id::PlaySoundCheck, settings.play_sound);
    SetControlText(dialog, id::ProgramPathEdit, settings.program_path);
    SetControlText(dialog, id::SoundPathEdit, settings.sound_path);
}

void ApplyAlarmSettings() {
    DialogDefinition& dialog = Dialog();
    Settings& settings = SettingsOf().Values;
    settings.run_program = GetCheck(dialog, id::RunProgramCheck) == 1 ? 1 : 0;
    settings.program_path = CutText(GetControlText(dialog, id::ProgramPathEdit), kTextCapacity);
    settings.play_sound = GetCheck(dialog, id::PlaySoundCheck) == 1 ? 1 : 0;
    settings.sound_path = CutText(GetControlText(dialog, id::SoundPathEdit), kTextCapacity);
    // Written at once: the rows, then the settings. A failure has been
    // reported; the new settings stay in force all the same.
    SaveData();
    CloseDialog(dialog, 1);
}

// A picked file is a setting from that moment, whatever ends the dialog.
void BrowseFor(std::string& setting, int edit, const char* title, const char* filter) {
    DialogDefinition& dialog = Dialog();
    const std::string path = ChooseFile(title, &dialog, filter);
    if (path.empty()) return;
    setting = path;
    SetControlText(dialog, edit, path);
}

// "P" and "S" act on the stored sound, not on what the edit shows.
void TestSound(int mode) {
    Scheduler().SoundTestMode = mode;
    PlaySoundFile();
}

void OnAlarmActionControl(int control) {
    Settings& settings = SettingsOf().Values;
    switch (control) {
        case id::OkButton: ApplyAlarmSettings(); break;
        case id::CancelButton: CloseDialog(Dialog(), 1); break;
        case id::BrowseProgramButton:
            BrowseFor(settings.program_path, id::ProgramPathEdit, "Open file to run",
                      kProgramFilter);
            break;
        case id::BrowseSoundButton:
            BrowseFor(settings.sound_path, id::SoundPathEdit, "Open Audio file", kSoundFilter);
            break;
        case id::PlayButton: TestSound(1); break;
        case id::StopButton: TestSound(0); break;
        default: break;
    }
}

}  // namespace

DialogDefinition& AlarmActionDialog() {
    static DialogDefinition dialog;
    return dialog;
}

void DefineAlarmActionDialog() {
    DialogDefinition& dialog = Dialog();
    DefineDialog(dialog, 0, 0, 303, 176, kDialogBoxStyle, nullptr, "Alarm Action",
                 AlarmActionDialogHandler);
    dialog.escape_closes = true;  // Esc is Cancel, which the close box is too
    DefineRows(dialog,
               {
                   {CheckBox, "Run progam", 15, 13, 136, 21, kCheck, id::RunProgramCheck},
                   {Edit, "Edit1", 15, 42, 273, 19, kAutoScroll, id::ProgramPathEdit},
                   {PushButton, "Browse", 215, 11, 70, 20, kChildVisible, id::BrowseProgramButton},
                   {CheckBox, "Play sound", 15, 69, 114, 20, kCheck, id::PlaySoundCheck},
                   {Edit, "Edit2", 15, 97, 273, 19, kAutoScroll, id::SoundPathEdit},
                   {PushButton, "Browse", 215, 71, 70, 20, kChildVisible, id::BrowseSoundButton},
                   {PushButton, "OK", 57, 138, 70, 20, kChildVisible, id::OkButton},
                   {PushButton, "Cancel", 146, 138, 70, 20, kChildVisible, id::CancelButton},
                   {PushButton, "P", 150, 71, 20, 20, kChildVisible, id::PlayButton},
                   {PushButton, "S", 170, 71, 20, 20, kChildVisible, id::StopButton},
               });
}

void OpenAlarmActionDialog() {
    OpenModeless(Dialog(), nullptr);
}

// Every notification of the buttons acts, as the dialog always has.
int AlarmActionDialogHandler() {
    const EventRecord& event = Event();
    switch (event.code) {
        case WM_INITDIALOG: OnAlarmActionInit(); break;
        case EVENT_CLOSE: CloseDialog(Dialog(), 1); break;  // nothing stored
        case EVENT_CONTROL: OnAlarmActionControl(event.control_id); break;
        default: break;
    }
    return 0;
}

}  // namespace vemo

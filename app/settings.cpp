#include "app/settings.h"

#include <system_error>

#include "app/app_state.h"
#include "app/calculator_mode.h"
#include "app/delay_page.h"
#include "app/gadget_ids.h"
#include "app/language.h"
#include "app/profile_gadget.h"
#include "base/number_text.h"
#include "i18n/language_file.h"
#include "store/key_value_file.h"
#include "store/profile_store.h"
#include "store/settings_values.h"

namespace {

int ClampProfileIndex(int stored, int count) {
    if (stored < 0)
        return 0;
    if (stored > count - 1)
        return count - 1;
    return stored;
}

}  // namespace

void LoadSettings(AppState& app) {
    ui::Gadgets& g = app.gadgets;
    const std::filesystem::path path = app.SettingsPath();
    KeyValueFile file;
    const bool opened = file.OpenKeyValueFileForReading(path);
    app.Breathe();
    app.profiles = ReadProfiles(file, opened, app.breathe);
    app.Breathe();
    FillProfileGadget(g, app.profiles, gadget::kProfileCombo, -1);
    FillProfileGadget(g, app.profiles, gadget::kProfileList, -1);
    app.Breathe();

    const SettingsValues v = ReadSettingsGroup(file);
    const int calculator = v.CalcState & 1;
    g.SetState(gadget::kCalculatorCheck, calculator);
    SetCalculatorMode(app, calculator != 0);
    g.SetState(gadget::kTimeUnitCombo, v.Time);
    g.SetState(gadget::kFrequencyUnitCombo, v.OscillatorType);
    g.SetText(gadget::kFrequencyField, WriteTrimmedDecimal(v.Oscillator));
    g.SetState(gadget::kWatchdogCheck, v.WdtState);
    g.SetState(gadget::kProfileCombo,
               ClampProfileIndex(v.NumberProf, g.ItemCount(gadget::kProfileCombo)));
    g.SetState(gadget::kLanguageCombo, ResolveLanguageIndex(app, v.Language, v.LanguageFile));
    g.SetState(gadget::kFormCombo, v.DelayForm >= 0 && v.DelayForm <= 2 ? v.DelayForm : 0);
    g.SetText(gadget::kRoutineNameField, v.RoutineName);
    g.SetState(gadget::kDeclareCheck, v.Declare);
    ApplyDelayForm(app);

    if (opened) {
        app.settingsStamp = file.Stamp();
        file.CloseKeyValueFile();
        return;
    }
    // First start: an empty file, so that the settings can be saved at close. Anything that
    // stands under that name already (a folder, a file that could not be read, or the file
    // another window has just made and saved into) is left alone. This window read an empty
    // file either way, so a save that finds the file otherwise applies its one change to what
    // the file holds then, as it does for any file changed meanwhile.
    CreateEmptyKeyValueFile(path);
    app.settingsStamp = FileStamp("");
}

void SaveSettings(AppState& app) {
    KeyValueFile file;
    if (!file.OpenKeyValueFile(app.SettingsPath()))
        return;
    SettingsValues v = SettingsFromGadgets(app.gadgets);
    // Another window may have added or removed profiles: the position to store is that of the
    // profile shown, in the file as it is now.
    const int position = FindProfile(ReadProfiles(file, true), ShownProfileName(app.gadgets));
    if (position >= 0)
        v.NumberProf = position;
    WriteSettingsGroup(file, v);
    file.CloseKeyValueFile();
}

bool SaveAll(AppState& app, const ProfileChange* change) {
    ui::Gadgets& g = app.gadgets;
    const ProfileSave save = SaveProfiles(app.SettingsPath(), SettingsFromGadgets(g), app.profiles,
                                          app.settingsStamp, change, ShownProfileName(g));
    if (save.saved)
        app.settingsStamp = save.stamp;
    if (save.merged && save.saved) {
        // Show what the file holds now, the changed profile selected in both gadgets.
        std::string shown =
            change->kind == ProfileChange::Kind::Delete ? ShownProfileName(g) : change->after.Name;
        if (!save.renamed.empty())
            shown = save.renamed;  // kept apart from another window's profile of that name
        app.profiles = save.profiles;
        const int selected = FindProfile(app.profiles, shown);
        FillProfileGadget(g, app.profiles, gadget::kProfileList, selected);
        FillProfileGadget(g, app.profiles, gadget::kProfileCombo, selected);
        if (save.collided) {
            g.ShowMessage(app.editorTitle,
                          save.renamed.empty()
                              ? app.messages[Msg::Profiles_Merged]
                              : app.messages[Msg::Profile_Renamed] + "\"" + save.renamed + "\"",
                          ui::MessageIcon::Warning, ui::MessageButtons::Ok);
        }
    }
    return save.saved;
}

std::string ShownProfileName(const ui::Gadgets& g) {
    const int shown = g.State(gadget::kProfileCombo);
    return shown >= 0 && shown < g.ItemCount(gadget::kProfileCombo)
               ? g.ItemText(gadget::kProfileCombo, shown)
               : std::string();
}

SettingsValues SettingsFromGadgets(const ui::Gadgets& g) {
    SettingsValues v;
    v.CalcState = g.State(gadget::kCalculatorCheck);
    v.Time = g.State(gadget::kTimeUnitCombo);
    v.OscillatorType = g.State(gadget::kFrequencyUnitCombo);
    v.Oscillator = ReadDecimalText(g.Text(gadget::kFrequencyField));
    v.WdtState = g.State(gadget::kWatchdogCheck);
    v.NumberProf = g.State(gadget::kProfileCombo);
    v.Language = g.State(gadget::kLanguageCombo);
    if (v.Language >= 0 && v.Language < g.ItemCount(gadget::kLanguageCombo))
        v.LanguageFile = LanguageFileName(g.ItemText(gadget::kLanguageCombo, v.Language));
    v.DelayForm = g.State(gadget::kFormCombo);
    v.RoutineName = g.Text(gadget::kRoutineNameField);
    v.Declare = g.State(gadget::kDeclareCheck);
    return v;
}

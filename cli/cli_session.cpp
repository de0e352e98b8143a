#include "cli/cli_session.h"

#include "app/calculator_mode.h"
#include "app/event_loop.h"
#include "app/gadget_ids.h"
#include "app/main_window_layout.h"
#include "cli/cli_options.h"
#include "engine/batch_request.h"
#include "engine/number_text.h"
#include "i18n/language.h"
#include "i18n/language_file.h"
#include "store/profile_gadget.h"
#include "store/profile_store.h"
#include "store/settings_values.h"

using namespace gadget;

CliSession::CliSession(const std::filesystem::path& programFolder)
    : folder_(programFolder),
      gadgets_(std::make_unique<ui::MemoryGadgets>(MainWindowLayout())),
      app_(std::make_unique<AppState>(*gadgets_, programFolder)) {}

std::string CliSession::LoadProfiles(const std::filesystem::path& settingsFile,
                                     const std::string* name) {
    app_->profiles = LoadProfileListFromFile(settingsFile);
    int index = 0;
    if (name != nullptr) {
        index = -1;
        std::string known;
        for (std::size_t i = 0; i < app_->profiles.size(); ++i) {
            if (app_->profiles[i].Name == *name)
                index = static_cast<int>(i);
            known += (i ? ", \"" : "\"") + app_->profiles[i].Name + "\"";
        }
        if (index < 0)
            return "no profile named \"" + *name + "\"; the profiles are " + known;
    }
    FillProfileGadget(*gadgets_, app_->profiles, kProfileCombo, index);
    return {};
}

std::string CliSession::ApplyLanguageNamed(const std::string& name) {
    gadgets_->ClearMessages();
    ApplyLanguage(*app_, LanguageFilePath(app_->LanguageFolder(), name));
    return gadgets_->Messages().empty() ? std::string() : gadgets_->Messages().back().text;
}

std::string CliSession::ApplyStoredLanguage(const std::filesystem::path& settingsFile) {
    gadgets_->ClearMessages();
    const std::optional<SettingsValues> stored = ReadSettingsFile(settingsFile);
    ListLanguages(*app_);
    gadgets_->SetState(
        kLanguageCombo,
        ResolveLanguageIndex(*app_, stored ? stored->Language : SettingsValues{}.Language));
    LoadSelectedLanguage(*app_);
    return gadgets_->Messages().empty() ? std::string() : gadgets_->Messages().back().text;
}

CliSession::Outcome CliSession::Request(const CliOptions& o) {
    ui::MemoryGadgets& g = *gadgets_;
    g.ClearMessages();
    g.SetText(kOutputBox, "");
    g.SetState(kWatchdogCheck, o.watchdog ? 1 : 0);
    const bool calculator = o.time.has_value();
    g.SetState(kCalculatorCheck, calculator ? 1 : 0);
    SetCalculatorMode(*app_, calculator);
    if (calculator) {
        g.SetText(kTimeField, *o.time);
        g.SetState(kTimeUnitCombo, o.timeUnit ? TimeUnitIndex(*o.timeUnit) : 0);
        g.SetText(kFrequencyField, *o.frequency);
        g.SetState(kFrequencyUnitCombo, o.frequencyUnit ? FrequencyUnitIndex(*o.frequencyUnit) : 0);
    } else {
        g.SetText(kCyclesField, o.cycles.value_or(""));
    }
    CalculationRequest(*app_);

    Outcome r;
    if (!g.Messages().empty()) {
        r.message = g.Messages().back().text;
        return r;
    }
    r.placed = true;
    r.text = g.Text(kOutputBox);
    r.delayCycles = ReadIntegerText(g.Text(kCyclesField));
    return r;
}

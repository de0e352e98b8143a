#include "programs/web/page_buttons.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "app/language.h"
#include "app/settings.h"
#include "base/ascii.h"
#include "i18n/language_file.h"
#include "programs/web/browser_files.h"
#include "programs/web/page_layout.h"
#include "programs/web/settings_transfer.h"
#include "store/file_platform.h"
#include "ui/web/web_gadgets.h"

using namespace gadget;

namespace {

void Tell(AppState& app, const std::string& title, const std::string& text) {
    app.gadgets.ShowMessage(title, text, ui::MessageIcon::Error, ui::MessageButtons::Ok);
}

void LoadLanguageFile(AppState& app, const std::string& name, const std::string& bytes) {
    const std::string lower = base::FoldedAscii(name);
    // The first language folder is the user's own, kept in the browser's storage.
    const std::filesystem::path folder = app.files.languageFolders.front();
    const std::filesystem::path target = folder / name;
    const bool named = lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".lng") == 0 &&
                       name.find('/') == std::string::npos;
    // Empty: nothing in it, or beyond the limit and not read.
    if (!named || bytes.empty() || !fileio::ReplaceFileContent(kPickedFile, bytes) ||
        !ReadLanguageFile(kPickedFile)) {
        Tell(app, kMissingLanguageFileTitle, MissingLanguageFileText(name));
        return;
    }
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    if (!fileio::ReplaceFileContent(target, bytes)) {
        Tell(app, app.editorTitle, app.messages[Msg::Save_Error]);
        return;
    }
    ListLanguages(app);
    ui::Gadgets& g = app.gadgets;
    const std::string language = name.substr(0, name.size() - 4);
    for (int i = 0; i < g.ItemCount(kLanguageCombo); ++i) {
        if (g.ItemText(kLanguageCombo, i) == language)
            g.SetState(kLanguageCombo, i);
    }
    LoadSelectedLanguage(app);
    SaveSettings(app);
}

}  // namespace

bool HandlePageButton(AppState& app, ui::web::WebGadgets& page, const ui::Event& event) {
    if (event.kind != ui::Event::Kind::Gadget)
        return false;
    const bool picked = event.type == ui::web::kEventFilePicked;
    switch (event.gadget) {
        case kCopyButton:
            page.CopyToClipboard(page.Text(kOutputBox), kCopyButton, app.messages[Msg::Web_Copied]);
            return true;
        case kImportButton:
            if (picked)
                ImportSettings(app, page.TakePickedFile());
            else
                page.PickFile(kImportButton, ".ini,text/plain", fileio::kMaxFileSize);
            return true;
        case kExportButton:
            ExportSettings(app, page);
            return true;
        case kLanguageFileButton:
            if (picked) {
                const std::string name = page.PickedFileName();
                LoadLanguageFile(app, name, page.TakePickedFile());
            } else {
                page.PickFile(kLanguageFileButton, ".lng", fileio::kMaxFileSize);
            }
            return true;
        default:
            return false;
    }
}

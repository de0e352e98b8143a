#include "programs/web/page_layout.h"

#include <string>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "app/main_window_layout.h"
#include "ui/web/web_gadgets.h"

using namespace gadget;

namespace {

ui::GadgetLayout Button(int number, int parent, ui::Rect place) {
    ui::GadgetLayout g;
    g.number = number;
    g.kind = ui::GadgetKind::Button;
    g.parent = parent;
    g.place = place;
    return g;
}

}  // namespace

ui::WindowLayout WebWindowLayout() {
    ui::WindowLayout w = MainWindowLayout();
    // Copy gets a row of its own above the output box, which moves down as a whole: the panel,
    // and what stands below it, move with it. Copy comes before the box, in the Tab order as on
    // the screen.
    constexpr int kCopyRow = 26;
    w.clientHeight += kCopyRow + 32;
    std::vector<ui::GadgetLayout> gadgets;
    for (ui::GadgetLayout& g : w.gadgets) {
        if (g.number == kPanel)
            g.place.h += kCopyRow;
        else if (g.number == kOutputBox || g.parent == ui::kWindowParent)
            g.place.y += kCopyRow;
        if (g.number == kOutputBox) {
            const ui::Rect& b = g.place;
            gadgets.push_back(
                Button(kCopyButton, kPage0Container, {b.x + b.w - 100, b.y - 25, 100, 22}));
        }
        gadgets.push_back(std::move(g));
    }
    w.gadgets = std::move(gadgets);
    const int y = w.clientHeight - 30;
    w.gadgets.push_back(Button(kImportButton, ui::kWindowParent, {2, y, 132, 24}));
    w.gadgets.push_back(Button(kExportButton, ui::kWindowParent, {138, y, 132, 24}));
    w.gadgets.push_back(Button(kLanguageFileButton, ui::kWindowParent, {274, y, 116, 24}));
    return w;
}

void ApplyWebCaptions(AppState& app, ui::web::WebGadgets& page) {
    ui::Gadgets& g = app.gadgets;
    const MessageTexts& m = app.messages;
    g.SetText(kCopyButton, m[Msg::Web_Copy]);
    g.SetText(kImportButton, m[Msg::Web_Import]);
    g.SetText(kExportButton, m[Msg::Web_Export]);
    g.SetText(kLanguageFileButton, m[Msg::Web_Language_File]);
    // Names for screen readers where the window's labels give none, or one for two controls.
    page.SetAccessibleName(kFormCombo, m[Msg::Web_Form_Name]);
    page.SetAccessibleName(kOutputBox, m[Msg::Web_Output_Name]);
    page.SetAccessibleName(kBanner, m[Msg::Web_Banner_Name]);
    for (int n = 1; n <= 8; ++n)
        page.SetAccessibleName(kFirstAccessCombo + n - 1,
                               m[Msg::Web_Access_Name] + std::to_string(n));
    page.SetPageLanguage(m[Msg::Web_Language_Tag]);
    page.SetRefusalText(m[Msg::Web_Refused]);  // what the beep says
}

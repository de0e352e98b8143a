// Loopsmith in a web page: builds the window into the page and gives it the program's state;
// from then on the page's listeners call in, one event after another (page.js). The settings
// are saved when the page is hidden or left, as the desktop saves them at its close.
#include <emscripten.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>

#include "app/app_state.h"
#include "app/event_loop.h"
#include "app/gadget_ids.h"
#include "app/settings.h"
#include "app/startup.h"
#include "programs/web/address_link.h"
#include "programs/web/browser_files.h"
#include "programs/web/first_language.h"
#include "programs/web/form_keys.h"
#include "programs/web/page_buttons.h"
#include "programs/web/page_layout.h"
#include "ui/web/web_gadgets.h"

namespace {

ui::web::WebGadgets* page = nullptr;
AppState* app = nullptr;
bool refreshDue = false;

// An event of the page's own: its buttons, a key of a web form, a new address. False for every
// other, which the window handles as on the desktop.
bool HandlePageEvent(const ui::Event& e) {
    if (e.kind == ui::Event::Kind::KeyDown)
        return HandleFormKey(*app, e.key);
    if (e.kind == ui::Event::Kind::Gadget && e.type == ui::web::kEventAddressChanged) {
        ApplyLinkOfAddress(*app, *page);
        return true;
    }
    return HandlePageButton(*app, *page, e);
}

}  // namespace

// Every event queued so far, the page's own buttons first.
extern "C" EMSCRIPTEN_KEEPALIVE void loopsmith_dispatch() {
    if (!app)
        return;
    if (std::exchange(refreshDue, false)) {
        RefreshFromStorage(*app, *page);
        TellStorageFault(*app, true);
        page->ShowPendingItems();
    }
    while (page->HasPendingEvent()) {
        const ui::Event e = page->WaitEvent();
        const std::string shown = page->Text(gadget::kOutputBox);
        if (!HandlePageEvent(e))
            Dispatch(*app, e);
        // New code on show: the address names its request.
        const std::string now = page->Text(gadget::kOutputBox);
        if (e.kind == ui::Event::Kind::Gadget && e.gadget == gadget::kCalculateButton &&
            !now.empty() && now != shown) {
            WriteLinkToAddress(*app, *page);
        }
        ApplyWebCaptions(*app, *page);  // a language may have been applied
        TellStorageFault(*app);
        page->ShowPendingItems();
    }
}

// Another tab has stored something: taken up at the program's next turn.
extern "C" EMSCRIPTEN_KEEPALIVE void loopsmith_storage_changed() {
    refreshDue = true;
}

extern "C" EMSCRIPTEN_KEEPALIVE void loopsmith_hide() {
    if (!app)
        return;
    ShutDown(*app);
    TellStorageFault(*app, true);
}

int main() {
    page = new ui::web::WebGadgets(WebWindowLayout());
    if (!page->Buildable()) {
        std::fputs("Loopsmith could not build its window into the page.\n", stderr);
        return 1;
    }
    const FileLocations files = PrepareBrowserFiles();
    std::error_code ec;
    const bool firstVisit = !std::filesystem::exists(files.settingsFile, ec);
    app = new AppState(*page, files.configFolder, files);
    // The window is made once, with the captions, items and code of the start-up in place.
    page->HoldWindow(true);
    StartUp(*app);
    if (firstVisit)
        ChooseFirstLanguage(*app, *page);
    ApplyWebCaptions(*app, *page);
    ApplyLinkOfAddress(*app, *page);
    TellStorageFault(*app, true);  // the start-up's own saves
    page->HoldWindow(false);
    // Whatever the start-up queued; the page's own turns start once it listens.
    if (page->HasPendingEvent())
        loopsmith_dispatch();
    page->ShowPendingItems();
    EM_ASM(LoopsmithPage.start(Module));
    // From here on the program runs in the page's turns, which may wait for the page.
    app->breathe = [] { page->YieldToPage(); };
    return 0;
}

// Where the page and the program meet: the message box the program waits on, the page's
// services beyond the window, and the entry points page.js calls.
#include <emscripten.h>

#include <algorithm>
#include <cstdlib>

#include "ui/web/page_elements.h"
#include "ui/web/web_gadgets.h"

namespace ui::web {

namespace {

WebGadgets* current = nullptr;

// clang-format off
EM_JS(void, page_copy, (const char* text, int gadget, const char* done), {
    LoopsmithPage.copy(UTF8ToString(text), LoopsmithElements.control(gadget), UTF8ToString(done));
});
EM_JS(void, page_announce, (const char* text), { LoopsmithPage.announce(UTF8ToString(text)); });
EM_JS(void, page_set_language, (const char* tag), {
    document.documentElement.lang = UTF8ToString(tag);
});
EM_JS(void, page_pick_file, (int gadget, const char* accept, double maxBytes), {
    LoopsmithPage.pickFile(gadget, UTF8ToString(accept), maxBytes);
});
EM_JS(void, page_download, (const char* name, const char* bytes, int size, const char* type), {
    LoopsmithPage.download(UTF8ToString(name), HEAPU8.slice(bytes, bytes + size),
                           UTF8ToString(type));
});
// A text the page hands over: the program frees it.
EM_JS(char*, page_text, (int which), {
    const text = which === 0 ? navigator.languages.join("\n") : location.hash.slice(1);
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
});
EM_JS(void, page_set_fragment, (const char* fragment), {
    // Replaces the address without a new history entry and without reloading.
    const text = UTF8ToString(fragment);
    history.replaceState(null, "", text ? "#" + text : location.pathname + location.search);
});
// clang-format on

std::string PageText(int which) {
    char* text = page_text(which);
    std::string copy(text);
    std::free(text);
    return copy;
}

}  // namespace

// The program waits for the answer; the page stays live meanwhile (the program's stack is put
// aside until the box is closed), and page.js holds back other events until then.
// clang-format off
EM_ASYNC_JS(void, page_yield, (), { await new Promise((done) => setTimeout(done, 0)); });
EM_ASYNC_JS(int, loopsmith_ask, (const char* title, const char* text, int icon, int yesNo,
                                 const char* yes, const char* no, const char* ok), {
    return await LoopsmithPage.ask(UTF8ToString(title), UTF8ToString(text), icon, yesNo !== 0,
                                   [UTF8ToString(yes), UTF8ToString(no), UTF8ToString(ok)]);
});
// clang-format on

MessageAnswer WebGadgets::RunMessageBox(const std::string& title, const std::string& text,
                                        MessageIcon icon, MessageButtons buttons) {
    // A window to be shown stands behind the box, as it would without the hold.
    if (showWanted_ && !shown_)
        Reveal();
    ShowPendingItems();
    // An empty caption keeps the page's own.
    const MessageButtonTexts& b = ButtonTexts();
    const int answer =
        loopsmith_ask(title.c_str(), text.c_str(), static_cast<int>(icon),
                      buttons == MessageButtons::YesNo, b.yes.empty() ? "Yes" : b.yes.c_str(),
                      b.no.empty() ? "No" : b.no.c_str(), b.ok.empty() ? "OK" : b.ok.c_str());
    return answer == 0 ? MessageAnswer::Yes : MessageAnswer::No;
}

void WebGadgets::YieldToPage() {
    ShowPendingItems();
    page_yield();
}

void WebGadgets::CopyToClipboard(const std::string& text, int gadget, const std::string& done) {
    if (Shown(gadget))
        page_copy(text.c_str(), gadget, done.c_str());
}

void WebGadgets::SetAccessibleName(int gadget, const std::string& name) {
    std::string& kept = names_[gadget];
    if (kept == name)
        return;
    kept = name;
    if (Shown(gadget))
        elements::SetName(gadget, name);
}

void WebGadgets::SetPageLanguage(const std::string& tag) {
    page_set_language(tag.c_str());
}

void WebGadgets::Announce(const std::string& text) {
    page_announce(text.c_str());
}

void WebGadgets::PickFile(int gadget, const std::string& accept, double maxBytes) {
    page_pick_file(gadget, accept.c_str(), maxBytes);
}

void WebGadgets::SetPickedFile(std::string name, std::string bytes) {
    pickedName_ = std::move(name);
    picked_ = std::move(bytes);
}

std::string WebGadgets::TakePickedFile() {
    return std::move(picked_);
}

void WebGadgets::Download(const std::string& name, const std::string& bytes,
                          const std::string& type) {
    page_download(name.c_str(), bytes.data(), static_cast<int>(bytes.size()), type.c_str());
}

std::vector<std::string> WebGadgets::PreferredLanguages() const {
    std::vector<std::string> languages;
    const std::string list = PageText(0);
    for (std::size_t at = 0; at < list.size();) {
        const std::size_t end = std::min(list.find('\n', at), list.size());
        languages.push_back(list.substr(at, end - at));
        at = end + 1;
    }
    return languages;
}

std::string WebGadgets::Fragment() const {
    return PageText(1);
}

void WebGadgets::SetFragment(const std::string& fragment) {
    page_set_fragment(fragment.c_str());
}

void SetCurrent(WebGadgets* gadgets) {
    current = gadgets;
}

}  // namespace ui::web

extern "C" {

EMSCRIPTEN_KEEPALIVE void loopsmith_report(int kind, int gadget, int type, int key) {
    if (ui::web::current)
        ui::web::current->Report(static_cast<ui::web::PageEvent>(kind), gadget, type, key);
}

// The character the field takes for a typed one (a decimal comma's point), or 0 for none.
EMSCRIPTEN_KEEPALIVE int loopsmith_let_typed(int gadget, int ch, const char* text, int start,
                                             int length) {
    char32_t typed = static_cast<char32_t>(ch);
    if (ui::web::current && !ui::web::current->LetTyped(gadget, typed, text, start, length))
        return 0;
    return static_cast<int>(typed);
}

// What goes into a field for a pasted or dropped text: "T" and the text, "R" when the field
// refuses it (the beep has sounded), or null for a field without a rule (the browser pastes).
// The page frees the answer.
EMSCRIPTEN_KEEPALIVE char* loopsmith_let_pasted(int gadget, const char* text, int start, int length,
                                                const char* pasted) {
    if (!ui::web::current || !ui::web::current->HasPasteRule(gadget))
        return nullptr;
    const std::optional<std::string> piece =
        ui::web::current->LetPasted(gadget, text, start, length, pasted);
    const std::string answer = piece ? "T" + *piece : "R";
    char* copy = static_cast<char*>(std::malloc(answer.size() + 1));
    std::copy(answer.c_str(), answer.c_str() + answer.size() + 1, copy);
    return copy;
}

// The bytes of the file the user picked (the page's allocation, freed here), then its event.
EMSCRIPTEN_KEEPALIVE void loopsmith_file_picked(int gadget, const char* name, char* bytes,
                                                int size) {
    std::string data(bytes, static_cast<std::size_t>(size));
    std::free(bytes);
    if (!ui::web::current)
        return;
    ui::web::current->SetPickedFile(name, std::move(data));
    ui::web::current->Report(ui::web::PageEvent::File, gadget, 0, 0);
}

}  // extern "C"

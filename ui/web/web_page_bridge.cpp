// Where the page and the program meet: the message box the program waits on, the page's
// services beyond the window, and the entry points page.js calls.
#include <emscripten.h>
#include <emscripten/bind.h>

#include "ui/web/web_gadgets.h"

namespace ui::web {

using emscripten::val;

namespace {

WebGadgets* current = nullptr;

}  // namespace

// The program waits for the answer; the page stays live meanwhile (the program's stack is put
// aside until the box is closed), and page.js holds back other events until then.
// clang-format off
EM_ASYNC_JS(int, loopsmith_ask, (const char* title, const char* text, int icon, int yesNo,
                                 const char* yes, const char* no, const char* ok), {
    return await LoopsmithPage.ask(UTF8ToString(title), UTF8ToString(text), icon, yesNo !== 0,
                                   [UTF8ToString(yes), UTF8ToString(no), UTF8ToString(ok)]);
});
// clang-format on

MessageAnswer WebGadgets::RunMessageBox(const std::string& title, const std::string& text,
                                        MessageIcon icon, MessageButtons buttons) {
    // An empty caption keeps the page's own.
    const MessageButtonTexts& b = ButtonTexts();
    const int answer =
        loopsmith_ask(title.c_str(), text.c_str(), static_cast<int>(icon),
                      buttons == MessageButtons::YesNo, b.yes.empty() ? "Yes" : b.yes.c_str(),
                      b.no.empty() ? "No" : b.no.c_str(), b.ok.empty() ? "OK" : b.ok.c_str());
    return answer == 0 ? MessageAnswer::Yes : MessageAnswer::No;
}

void WebGadgets::CopyToClipboard(const std::string& text) {
    val::global("LoopsmithPage").call<void>("copy", text);
}

void WebGadgets::PickFile(int gadget, const std::string& accept, double maxBytes) {
    val::global("LoopsmithPage").call<void>("pickFile", gadget, accept, maxBytes);
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
    val view(emscripten::typed_memory_view(bytes.size(),
                                           reinterpret_cast<const unsigned char*>(bytes.data())));
    val::global("LoopsmithPage").call<void>("download", name, view, type);
}

std::vector<std::string> WebGadgets::PreferredLanguages() const {
    return emscripten::vecFromJSArray<std::string>(val::global("navigator")["languages"]);
}

std::string WebGadgets::Fragment() const {
    const std::string hash = val::global("location")["hash"].as<std::string>();
    return hash.empty() ? hash : hash.substr(1);
}

void WebGadgets::SetFragment(const std::string& fragment) {
    // Replaces the address without a new history entry and without reloading.
    val::global("history").call<void>("replaceState", val::null(), std::string(), "#" + fragment);
}

void SetCurrent(WebGadgets* gadgets) {
    current = gadgets;
}

namespace {

// The character the field takes for a typed one (a decimal comma's point), or 0 for none.
int LetTyped(int gadget, int ch, const std::string& text, int start, int length) {
    char32_t typed = static_cast<char32_t>(ch);
    if (current && !current->LetTyped(gadget, typed, text, start, length))
        return 0;
    return static_cast<int>(typed);
}

// The bytes of the file the user picked, then its event.
void FilePicked(int gadget, const std::string& name, val bytes) {
    if (!current)
        return;
    std::string data(bytes["length"].as<std::size_t>(), '\0');
    val(emscripten::typed_memory_view(data.size(), reinterpret_cast<unsigned char*>(data.data())))
        .call<void>("set", bytes);
    current->SetPickedFile(name, std::move(data));
    current->Report(PageEvent::File, gadget, 0, 0);
}

}  // namespace

}  // namespace ui::web

extern "C" EMSCRIPTEN_KEEPALIVE void loopsmith_report(int kind, int gadget, int type, int key) {
    if (ui::web::current)
        ui::web::current->Report(static_cast<ui::web::PageEvent>(kind), gadget, type, key);
}

EMSCRIPTEN_BINDINGS(loopsmith_page) {
    emscripten::function("letTyped", &ui::web::LetTyped);
    emscripten::function("filePicked", &ui::web::FilePicked);
}

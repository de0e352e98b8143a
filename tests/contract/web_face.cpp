// The browser face under the contract, in headless Chromium: the page's elements worked with
// the events a browser sends for a key, a click or a choice, and the message box answered as
// a user answers it.
#if defined(LOOPSMITH_CONTRACT_WEB)
#include <emscripten.h>

#include "contract/faces.h"
#include "ui/web/web_gadgets.h"

namespace {

// One typed character: Enter and Backspace as keys, others through the page's input events,
// landing only if no listener refused them.
// clang-format off
EM_JS(void, contract_type_char, (int gadget, int ch), {
    const field = document.getElementById("g" + gadget);
    field.focus();
    const enter = ch === 13, backspace = ch === 8;
    const c = String.fromCodePoint(ch);
    const key = enter ? "Enter" : backspace ? "Backspace" : c;
    if (!field.dispatchEvent(new KeyboardEvent("keydown", {key, bubbles: true, cancelable: true})) ||
        enter) {
        return;
    }
    let start = field.selectionStart, end = field.selectionEnd;
    const data = backspace ? "" : c;
    if (backspace && start === end && start > 0) start -= 1;
    const inputType = backspace ? "deleteContentBackward" : "insertText";
    const before = new InputEvent("beforeinput", {inputType, data: data || null, bubbles: true,
                                                  cancelable: true});
    if (!field.dispatchEvent(before)) return;
    field.setRangeText(data, start, end, "end");
    field.dispatchEvent(new InputEvent("input", {inputType, data: data || null, bubbles: true}));
});

// A paste as the browser sends it: the clipboard's text with the input event, and the text in
// at the caret unless a listener refused it.
EM_JS(void, contract_paste, (int gadget, const char* text), {
    const field = document.getElementById("g" + gadget);
    field.focus();
    const data = UTF8ToString(text);
    const dataTransfer = new DataTransfer();
    dataTransfer.setData("text/plain", data);
    const before = new InputEvent("beforeinput", {inputType: "insertFromPaste", dataTransfer,
                                                  bubbles: true, cancelable: true});
    if (!field.dispatchEvent(before)) return;
    field.setRangeText(data, field.selectionStart, field.selectionEnd, "end");
    field.dispatchEvent(new InputEvent("input", {inputType: "insertFromPaste", bubbles: true}));
});

EM_JS(void, contract_click, (int gadget), { document.getElementById("g" + gadget).click(); });

EM_JS(void, contract_next_item, (int gadget), {
    const select = document.getElementById("g" + gadget);
    select.focus();
    select.selectedIndex += 1;
    select.dispatchEvent(new Event("change", {bubbles: true}));
});

EM_JS(void, contract_next_page, (), {
    document.querySelector("[role=tab][aria-selected=true]").nextElementSibling.click();
});

EM_JS(void, contract_select_all, (int gadget), { document.getElementById("g" + gadget).select(); });

// 0 Enter (the focused button, the default one), 1 Escape, 2 a click on Yes.
EM_JS(void, contract_answer_next_box, (int action), {
    window.contractBox = {shown: false, buttons: []};
    document.addEventListener("loopsmith-message", () => {
        const box = document.querySelector("dialog[open]");
        contractBox.shown = true;
        contractBox.buttons = Array.from(box.querySelectorAll("button")).map((b) => b.textContent);
        setTimeout(() => {
            if (action === 0) document.activeElement.click();
            else if (action === 1) box.dispatchEvent(new Event("cancel")) && box.close();
            else box.querySelector("button").click();
        }, 0);
    }, {once: true});
});

EM_JS(int, contract_box_buttons, (), {
    return window.contractBox && contractBox.shown ? contractBox.buttons.length : -1;
});

EM_JS(char*, contract_box_button, (int i), {
    const text = contractBox.buttons[i];
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
});
// clang-format on

}  // namespace

WebFace::WebFace() : g_(std::make_unique<ui::web::WebGadgets>(MainWindowLayout())) {
    EM_ASM(LoopsmithPage.start(Module));
    g_->ShowWindow();
}

WebFace::~WebFace() = default;

ui::Gadgets& WebFace::Gadgets() {
    return *g_;
}

void WebFace::Type(int gadget, const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        // The tests type ASCII and Cyrillic: one UTF-8 sequence a character.
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t ch = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
            ch = (ch << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        contract_type_char(gadget, static_cast<int>(ch));
        i += length;
    }
}

void WebFace::Paste(int gadget, const std::string& text) {
    contract_paste(gadget, text.c_str());
}

void WebFace::Click(int gadget) {
    contract_click(gadget);
}

void WebFace::NextItem(int combo) {
    contract_next_item(combo);
}

void WebFace::NextPage() {
    contract_next_page();
}

void WebFace::SelectAll(int field) {
    contract_select_all(field);
}

void WebFace::Pump() {
    emscripten_sleep(0);  // the page's own tasks run: focus, queued reports
}

bool WebFace::HasPendingEvent() const {
    return g_->HasPendingEvent();
}

int WebFace::Beeps() const {
    return g_->BeepCount();
}

void WebFace::AnswerNextBox(BoxAction action) {
    contract_answer_next_box(action == BoxAction::Enter ? 0 : action == BoxAction::Escape ? 1 : 2);
}

SeenBox WebFace::LastBox() const {
    SeenBox seen;
    const int count = contract_box_buttons();
    seen.shown = count >= 0;
    for (int i = 0; i < count; ++i) {
        char* text = contract_box_button(i);
        seen.buttons.emplace_back(text);
        free(text);
    }
    return seen;
}
#endif

// The browser face's part of the frame: the wanted state shown on the page's elements, what the
// user changed read back from them, and the user's actions queued as the program's events.
#include "ui/web/web_gadgets.h"

#include <emscripten.h>

#include "base/utf8.h"
#include "ui/web/page_elements.h"

namespace ui::web {

namespace {

// clang-format off
EM_JS(void, page_open_url, (const char* address), {
    // A mail address goes to the mail program from this tab; a web address opens beside it.
    const url = UTF8ToString(address);
    if (url.startsWith("mailto:")) location.href = url;
    else window.open(url, "_blank", "noopener");
});
EM_JS(void, page_beep, (const char* said), { LoopsmithPage.beep(UTF8ToString(said)); });
// clang-format on

}  // namespace

bool WebGadgets::Shown(int gadget) const {
    return built_ && GadgetFrame::Find(gadget) != nullptr;
}

void WebGadgets::Push(Control& control, Aspect aspect) {
    const int n = control.layout.number;
    if (!Shown(n))
        return;
    const ControlState& s = control.want;
    const GadgetKind kind = control.layout.kind;
    switch (aspect) {
        case Aspect::Text:
            elements::SetText(n, s.text,
                              kind == GadgetKind::TextField || kind == GadgetKind::OutputBox);
            break;
        case Aspect::State:
            if (kind == GadgetKind::CheckBox)
                elements::SetChecked(n, s.state != 0);
            else if (HasItems(kind)) {
                ShowItems(n);
                elements::SetSelected(n, s.state);
            } else if (kind == GadgetKind::Panel)
                ShowPage(s.state);
            break;
        case Aspect::Items:
            PushItems(control);
            break;
        case Aspect::Enabled:
            elements::SetEnabled(n, s.enabled);
            break;
        case Aspect::Visible:
            // A page's container is shown by its tab.
            if (kind != GadgetKind::Container)
                elements::SetHidden(n, !s.visible);
            break;
        case Aspect::ReadOnly:
            if (kind == GadgetKind::TextField)
                elements::SetReadOnly(n, s.readOnly);
            break;
        case Aspect::Colors:
            elements::SetColors(n, s.textColor, s.backColor, control.layout.hoverColor);
            break;
        case Aspect::ToolTip:
            elements::SetToolTip(n, s.toolTip);
            break;
    }
}

void WebGadgets::PushItems(const Control& control) {
    const std::vector<std::string>& items = control.want.items;
    const int n = control.layout.number;
    if (control.layout.kind == GadgetKind::Panel) {
        elements::SetItems(n, 0, items);
        return;
    }
    // Items are only cleared or added: the element lacks the ones added since. A list is
    // filled one item at a time; the page gets them in one go when it next needs them.
    std::size_t& shown = optionsShown_[n];
    if (shown > items.size())
        shown = 0;
    itemsDue_.insert(n);
}

void WebGadgets::ShowItems(int gadget) const {
    if (itemsDue_.erase(gadget) == 0)
        return;
    const std::vector<std::string>& items = GadgetFrame::Find(gadget)->want.items;
    std::size_t& shown = optionsShown_[gadget];
    // Joined here at once: tens of thousands of names would otherwise be copied twice.
    std::string joined;
    for (std::size_t i = shown; i < items.size(); ++i) {
        if (i > shown)
            joined += '\x1f';
        joined += base::IsolatedForDisplay(items[i]);
    }
    elements::SetJoinedItems(gadget, shown, items.size() - shown, joined);
    shown = items.size();
}

void WebGadgets::ShowPendingItems() const {
    while (!itemsDue_.empty())
        ShowItems(*itemsDue_.begin());
}

std::string WebGadgets::ReadText(const Control& control) const {
    ShowItems(control.layout.number);
    return Shown(control.layout.number) ? elements::Value(control.layout.number)
                                        : control.want.text;
}

int WebGadgets::ReadState(const Control& control) const {
    const int n = control.layout.number;
    if (!Shown(n))
        return control.want.state;
    switch (control.layout.kind) {
        case GadgetKind::CheckBox:
            return elements::Checked(n) ? 1 : 0;
        case GadgetKind::ComboBox:
        case GadgetKind::ListBox:
            ShowItems(n);
            return elements::Selected(n);
        case GadgetKind::Panel:
            return page_;
        default:
            return control.want.state;
    }
}

void WebGadgets::ShowPage(int page) {
    if (!Shown(Layout().panel))
        return;
    page_ = page;
    elements::ShowPage(Layout().panel, page);
}

void WebGadgets::Report(PageEvent kind, int gadget, int type, int key) {
    switch (kind) {
        case PageEvent::Gadget:
            if (Shown(gadget))
                Events().Report(Event::OnGadget(gadget, type));
            break;
        case PageEvent::Key:
            Events().Report(Event::KeyDown(key));
            break;
        case PageEvent::Mouse:
            Events().Report(Event::MouseMove());
            break;
        case PageEvent::Page:
            if (gadget == Layout().panel && type >= 0 &&
                type < static_cast<int>(Layout().pageContainers.size())) {
                ShowPage(type);
                Events().Report(Event::OnGadget(gadget, kEventClick));
            }
            break;
        case PageEvent::File:
            Events().Report(Event::OnGadget(gadget, kEventFilePicked));
            break;
        case PageEvent::Address:
            Events().Report(Event::OnGadget(-1, kEventAddressChanged));
            break;
    }
}

bool WebGadgets::LetTyped(int gadget, char32_t& ch, const std::string& text, int start,
                          int length) {
    const Control* field = GadgetFrame::Find(gadget);
    return !field || LetTypedChar(*field, ch, text, start, length);
}

bool WebGadgets::HasPasteRule(int gadget) const {
    const Control* field = GadgetFrame::Find(gadget);
    return field && !field->want.readOnly &&
           (field->layout.filterInput || field->layout.digitsOnly);
}

std::optional<std::string> WebGadgets::LetPasted(int gadget, const std::string& text, int start,
                                                 int length, const std::string& pasted) {
    const Control* field = GadgetFrame::Find(gadget);
    if (!field)
        return pasted;
    return LetPastedText(*field, text, start, length, pasted);
}

void WebGadgets::Focus(int gadget) {
    if (!GadgetFrame::Find(gadget))
        return;
    focusWanted_ = gadget;  // taken up when the window is made and shown
    if (built_)
        elements::Focus(gadget);
}

int WebGadgets::FocusedGadget() const {
    const int n = elements::Focused();
    return Shown(n) ? n : -1;
}

bool WebGadgets::PointerInside(int gadget) const {
    return Shown(gadget) && elements::PointerInside(gadget);
}

void WebGadgets::OpenUrl(const std::string& url) {
    page_open_url(url.c_str());
}

void WebGadgets::ShowWindow() {
    showWanted_ = true;
    if (!held_)
        Reveal();
}

bool WebGadgets::PumpMessages() {
    return false;  // a page cannot wait: its loop runs the program when something happens
}

bool WebGadgets::WindowOnScreen() const {
    return built_ && shown_;
}

void WebGadgets::Ring() {
    page_beep(refusalText_.c_str());
}

void WebGadgets::ShowCursor(CursorShape shape) {
    if (built_)
        elements::SetCursor(shape == CursorShape::Hand);
}

}  // namespace ui::web

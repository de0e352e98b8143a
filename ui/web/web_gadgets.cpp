// The operations the program performs on gadgets, by number, on the page's elements.
#include "ui/web/web_gadgets.h"

#include <emscripten.h>

#include "ui/input_filter.h"
#include "ui/web/page_dom.h"

namespace ui::web {

using emscripten::val;

namespace {

bool IsList(GadgetKind kind) {
    return kind == GadgetKind::ComboBox || kind == GadgetKind::ListBox;
}

bool IsFormControl(GadgetKind kind) {
    return IsList(kind) || kind == GadgetKind::CheckBox || kind == GadgetKind::TextField ||
           kind == GadgetKind::Button || kind == GadgetKind::OutputBox;
}

}  // namespace

WebGadgets::WebGadgets(const WindowLayout& layout) {
    built_ = Build(layout);
    SetCurrent(this);
}

WebGadgets::~WebGadgets() {
    SetCurrent(nullptr);
}

WebGadgets::Entry* WebGadgets::Find(int gadget) {
    auto it = entries_.find(gadget);
    return it == entries_.end() ? nullptr : &it->second;
}

const WebGadgets::Entry* WebGadgets::Find(int gadget) const {
    auto it = entries_.find(gadget);
    return it == entries_.end() ? nullptr : &it->second;
}

val WebGadgets::Element(int gadget) const {
    const Entry* e = Find(gadget);
    return e ? e->control : val::undefined();
}

std::string WebGadgets::Text(int gadget) const {
    const Entry* e = Find(gadget);
    if (!e)
        return "";
    switch (e->layout.kind) {
        case GadgetKind::TextField:
            return e->control["value"].as<std::string>();
        case GadgetKind::OutputBox:
            return e->rawText;
        case GadgetKind::ComboBox:
        case GadgetKind::ListBox:
            return ItemText(gadget, State(gadget));
        default:
            return e->caption.isUndefined() ? "" : e->caption["textContent"].as<std::string>();
    }
}

void WebGadgets::SetText(int gadget, const std::string& text) {
    Entry* e = Find(gadget);
    if (!e)
        return;
    switch (e->layout.kind) {
        case GadgetKind::OutputBox:
            e->rawText = text;
            e->control.set("value", text);
            break;
        case GadgetKind::TextField:
            e->control.set("value", text);
            break;
        default:
            if (!e->caption.isUndefined())
                e->caption.set("textContent", text);
            break;
    }
}

int WebGadgets::State(int gadget) const {
    const Entry* e = Find(gadget);
    if (!e)
        return 0;
    if (e->layout.kind == GadgetKind::CheckBox)
        return e->control["checked"].as<bool>() ? 1 : 0;
    if (IsList(e->layout.kind))
        return e->control["selectedIndex"].as<int>();
    if (gadget == panel_)
        return page_;
    return 0;
}

void WebGadgets::SetState(int gadget, int state) {
    Entry* e = Find(gadget);
    if (!e)
        return;
    if (e->layout.kind == GadgetKind::CheckBox) {
        e->control.set("checked", state != 0);
    } else if (IsList(e->layout.kind)) {
        e->control.set("selectedIndex", state >= 0 && state < ItemCount(gadget) ? state : -1);
    } else if (gadget == panel_ && state >= 0 &&
               state < static_cast<int>(pageContainers_.size())) {
        ShowPage(state);
    }
}

int WebGadgets::ItemCount(int gadget) const {
    const Entry* e = Find(gadget);
    return e && IsList(e->layout.kind) ? e->control["options"]["length"].as<int>() : 0;
}

std::string WebGadgets::ItemText(int gadget, int index) const {
    if (index < 0 || index >= ItemCount(gadget))
        return "";
    return Find(gadget)->control["options"][index]["text"].as<std::string>();
}

void WebGadgets::ClearItems(int gadget) {
    Entry* e = Find(gadget);
    if (e && IsList(e->layout.kind))
        e->control.call<void>("replaceChildren");
}

void WebGadgets::AddItem(int gadget, const std::string& text) {
    Entry* e = Find(gadget);
    if (!e || !IsList(e->layout.kind))
        return;
    const int selected = State(gadget);
    dom::AddOption(e->control, text);
    e->control.set("selectedIndex", selected);  // adding selects nothing new
}

void WebGadgets::SetPageTitle(int panel, int page, const std::string& title) {
    const Entry* e = Find(panel);
    if (panel != panel_ || !e || page < 0 || page >= static_cast<int>(pageContainers_.size()))
        return;
    val tabs = e->element.call<val>("querySelectorAll", std::string("[role=tab] > span"));
    tabs[page].set("textContent", title);
}

void WebGadgets::ShowPage(int page) {
    page_ = page;
    const Entry* panel = Find(panel_);
    val tabs = panel->element.call<val>("querySelectorAll", std::string("[role=tab]"));
    for (std::size_t i = 0; i < pageContainers_.size(); ++i) {
        const bool shown = static_cast<int>(i) == page;
        const auto n = static_cast<int>(i);
        dom::Attribute(tabs[n], "aria-selected", shown ? "true" : "false");
        tabs[n].set("tabIndex", shown ? 0 : -1);
        Find(pageContainers_[i])->element.set("hidden", !shown);
    }
}

bool WebGadgets::IsEnabled(int gadget) const {
    const Entry* e = Find(gadget);
    if (!e)
        return false;
    return !e->element["classList"].call<bool>("contains", std::string("disabled"));
}

void WebGadgets::SetEnabled(int gadget, bool enabled) {
    Entry* e = Find(gadget);
    if (!e)
        return;
    e->element["classList"].call<void>("toggle", std::string("disabled"), !enabled);
    if (IsFormControl(e->layout.kind))
        e->control.set("disabled", !enabled);
    else
        dom::Attribute(e->element, "aria-disabled", enabled ? "false" : "true");
}

bool WebGadgets::IsVisible(int gadget) const {
    const Entry* e = Find(gadget);
    return e && e->visible;
}

void WebGadgets::SetVisible(int gadget, bool visible) {
    Entry* e = Find(gadget);
    if (!e)
        return;
    e->visible = visible;
    // A page's container is shown by its tab, not by this.
    if (e->layout.kind != GadgetKind::Container)
        e->element.set("hidden", !visible);
}

bool WebGadgets::IsReadOnly(int gadget) const {
    const Entry* e = Find(gadget);
    return e && e->layout.kind == GadgetKind::TextField && e->control["readOnly"].as<bool>();
}

void WebGadgets::SetReadOnly(int gadget, bool readOnly) {
    Entry* e = Find(gadget);
    if (e && e->layout.kind == GadgetKind::TextField)
        e->control.set("readOnly", readOnly);
}

void WebGadgets::Focus(int gadget) {
    if (Entry* e = Find(gadget)) {
        focusWanted_ = gadget;
        e->control.call<void>("focus");
    }
}

int WebGadgets::FocusedGadget() const {
    val active = val::global("document")["activeElement"];
    if (active.isNull() || active.isUndefined())
        return -1;
    val owner = active.call<val>("closest", std::string("[data-gadget]"));
    if (owner.isNull())
        return -1;
    const int n = std::stoi(owner["dataset"]["gadget"].as<std::string>());
    return Find(n) ? n : -1;
}

Color WebGadgets::TextColor(int gadget) const {
    const Entry* e = Find(gadget);
    return e ? e->textColor : Color::Default();
}

void WebGadgets::SetTextColor(int gadget, Color color) {
    if (Entry* e = Find(gadget)) {
        e->textColor = color;
        ApplyColors(*e);
    }
}

Color WebGadgets::BackColor(int gadget) const {
    const Entry* e = Find(gadget);
    return e ? e->backColor : Color::Default();
}

void WebGadgets::SetBackColor(int gadget, Color color) {
    if (Entry* e = Find(gadget)) {
        e->backColor = color;
        ApplyColors(*e);
    }
}

void WebGadgets::ApplyColors(const Entry& e) {
    val target = e.caption.isUndefined() ? e.control : e.caption;
    target["style"].set("color", dom::CssColor(e.textColor));
    e.control["style"].set("backgroundColor", dom::CssColor(e.backColor));
}

void WebGadgets::SetToolTip(int gadget, const std::string& text) {
    if (Entry* e = Find(gadget)) {
        e->toolTip = text;
        e->element.set("title", text);
    }
}

std::string WebGadgets::ToolTip(int gadget) const {
    const Entry* e = Find(gadget);
    return e ? e->toolTip : "";
}

void WebGadgets::Beep() {
    ++beeps_;
    val::global("LoopsmithPage").call<void>("beep");
}

void WebGadgets::PostClick(int gadget) {
    events_.push_back(Event::OnGadget(gadget, kEventClick));
}

Event WebGadgets::WaitEvent() {
    if (events_.empty())
        return Event::Close();  // the page's loop asks only when something is queued
    const Event e = events_.front();
    events_.pop_front();
    return e;
}

void WebGadgets::Report(PageEvent kind, int gadget, int type, int key) {
    switch (kind) {
        case PageEvent::Gadget:
            if (Find(gadget))
                events_.push_back(Event::OnGadget(gadget, type));
            break;
        case PageEvent::Key:
            events_.push_back(Event::KeyDown(key));
            break;
        case PageEvent::Mouse:
            events_.push_back(Event::MouseMove());
            break;
        case PageEvent::Page:
            if (gadget == panel_ && type >= 0 && type < static_cast<int>(pageContainers_.size())) {
                ShowPage(type);
                events_.push_back(Event::OnGadget(panel_, kEventClick));
            }
            break;
        case PageEvent::File:
            events_.push_back(Event::OnGadget(gadget, kEventFilePicked));
            break;
    }
}

int WebGadgets::TypedCharVerdict(int gadget, char32_t ch, const std::string& text, int start,
                                 int length) {
    const Entry* e = Find(gadget);
    if (!e || e->layout.kind != GadgetKind::TextField || e->control["readOnly"].as<bool>())
        return 0;
    switch (ui::TypedCharVerdict(e->layout, ch, text, start, length)) {
        case FilterVerdict::Pass:
            return 0;
        case FilterVerdict::Discard:
            return 1;
        case FilterVerdict::DiscardWithBeep:
            Beep();
            return 2;
    }
    return 0;
}

void WebGadgets::SetCursor(CursorShape shape) {
    window_["style"].set("cursor", std::string(shape == CursorShape::Hand ? "pointer" : ""));
}

bool WebGadgets::PointerInside(int gadget) const {
    const Entry* e = Find(gadget);
    return e && val::global("LoopsmithPage").call<bool>("pointerInside", e->element);
}

void WebGadgets::OpenUrl(const std::string& url) {
    // A mail address goes to the mail program in this tab; a web address opens beside it.
    if (url.rfind("mailto:", 0) == 0)
        val::global("location").set("href", url);
    else
        val::global("window").call<val>("open", url, std::string("_blank"), std::string("noopener"));
}

void WebGadgets::ShowWindow() {
    window_.set("hidden", false);
    window_.call<void>("removeAttribute", std::string("aria-busy"));
    val::global("LoopsmithPage").call<void>("fit");
    if (focusWanted_ >= 0)
        Focus(focusWanted_);
}

}  // namespace ui::web

// The browser face's part of the frame: the wanted state shown on the page's elements, what the
// user changed read back from them, and the user's actions queued as the program's events.
#include "ui/web/web_gadgets.h"

#include "ui/web/page_dom.h"

namespace ui::web {

using emscripten::val;

namespace {

val Page() {
    return val::global("LoopsmithPage");
}

}  // namespace

const WebGadgets::Elements* WebGadgets::Find(int gadget) const {
    auto it = elements_.find(gadget);
    return it == elements_.end() ? nullptr : &it->second;
}

void WebGadgets::Push(Control& control, Aspect aspect) {
    const Elements* found = Find(control.layout.number);
    if (!found)
        return;
    Elements e = *found;
    const ControlState& s = control.want;
    const GadgetKind kind = control.layout.kind;
    switch (aspect) {
        case Aspect::Text:
            if (kind == GadgetKind::TextField || kind == GadgetKind::OutputBox)
                e.control.set("value", s.text);
            else if (!e.caption.isUndefined())
                e.caption.set("textContent", s.text);
            break;
        case Aspect::State:
            if (kind == GadgetKind::CheckBox)
                e.control.set("checked", s.state != 0);
            else if (HasItems(kind))
                e.control.set("selectedIndex", s.state);
            else if (kind == GadgetKind::Panel)
                ShowPage(s.state);
            break;
        case Aspect::Items:
            PushItems(control, e);
            break;
        case Aspect::Enabled:
            e.outer["classList"].call<void>("toggle", std::string("disabled"), !s.enabled);
            e.control.set("disabled", !s.enabled);
            dom::Attribute(e.control, "aria-disabled", s.enabled ? "false" : "true");
            break;
        case Aspect::Visible:
            // A page's container is shown by its tab.
            if (kind != GadgetKind::Container)
                e.outer.set("hidden", !s.visible);
            break;
        case Aspect::ReadOnly:
            if (kind == GadgetKind::TextField)
                e.control.set("readOnly", s.readOnly);
            break;
        case Aspect::Colors: {
            val text = e.caption.isUndefined() ? e.control : e.caption;
            text["style"].set("color", dom::CssColor(s.textColor));
            e.control["style"].set("backgroundColor", dom::CssColor(s.backColor));
            if (control.layout.hoverColor != Color::Default()) {
                e.control["style"].call<void>("setProperty", std::string("--hover"),
                                              dom::CssColor(control.layout.hoverColor));
            }
            break;
        }
        case Aspect::ToolTip:
            e.outer.set("title", s.toolTip);
            break;
    }
}

void WebGadgets::PushItems(const Control& control, const Elements& e) {
    const std::vector<std::string>& items = control.want.items;
    if (control.layout.kind == GadgetKind::Panel) {
        val titles = e.outer.call<val>("querySelectorAll", std::string("[role=tab] > span"));
        const int tabs = titles["length"].as<int>();
        for (int page = 0; page < tabs && page < static_cast<int>(items.size()); ++page)
            titles[page].set("textContent", items[static_cast<std::size_t>(page)]);
        return;
    }
    // Items are only cleared or added: the element lacks the ones added since.
    val select = e.control;
    const int selected = select["selectedIndex"].as<int>();
    if (select["options"]["length"].as<std::size_t>() > items.size())
        select.call<void>("replaceChildren");
    for (std::size_t i = select["options"]["length"].as<std::size_t>(); i < items.size(); ++i)
        dom::AddOption(select, items[i]);
    // An added item selects nothing; the program decides that.
    select.set("selectedIndex", items.empty() ? -1 : selected);
}

std::string WebGadgets::ReadText(const Control& control) const {
    const Elements* e = Find(control.layout.number);
    return e ? e->control["value"].as<std::string>() : control.want.text;
}

int WebGadgets::ReadState(const Control& control) const {
    const Elements* e = Find(control.layout.number);
    if (!e)
        return control.want.state;
    switch (control.layout.kind) {
        case GadgetKind::CheckBox:
            return e->control["checked"].as<bool>() ? 1 : 0;
        case GadgetKind::ComboBox:
        case GadgetKind::ListBox:
            return e->control["selectedIndex"].as<int>();
        case GadgetKind::Panel:
            return page_;
        default:
            return control.want.state;
    }
}

void WebGadgets::ShowPage(int page) {
    const WindowLayout& layout = Layout();
    const Elements* panel = Find(layout.panel);
    if (!panel)
        return;
    page_ = page;
    val tabs = panel->outer.call<val>("querySelectorAll", std::string("[role=tab]"));
    for (std::size_t i = 0; i < layout.pageContainers.size(); ++i) {
        const bool shown = static_cast<int>(i) == page;
        val tab = tabs[static_cast<int>(i)];
        dom::Attribute(tab, "aria-selected", shown ? "true" : "false");
        tab.set("tabIndex", shown ? 0 : -1);
        if (const Elements* container = Find(layout.pageContainers[i]))
            val(container->outer).set("hidden", !shown);
    }
}

void WebGadgets::Report(PageEvent kind, int gadget, int type, int key) {
    switch (kind) {
        case PageEvent::Gadget:
            if (Find(gadget))
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
    }
}

bool WebGadgets::LetTyped(int gadget, char32_t& ch, const std::string& text, int start,
                          int length) {
    const Control* field = GadgetFrame::Find(gadget);
    return !field || LetTypedChar(*field, ch, text, start, length);
}

void WebGadgets::Focus(int gadget) {
    if (const Elements* e = Find(gadget)) {
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

bool WebGadgets::PointerInside(int gadget) const {
    const Elements* e = Find(gadget);
    return e && Page().call<bool>("pointerInside", e->outer);
}

void WebGadgets::OpenUrl(const std::string& url) {
    // A mail address goes to the mail program from this tab; a web address opens beside it.
    if (url.rfind("mailto:", 0) == 0)
        val::global("location").set("href", url);
    else
        val::global("window").call<val>("open", url, std::string("_blank"),
                                        std::string("noopener"));
}

void WebGadgets::ShowWindow() {
    window_.set("hidden", false);
    window_.call<void>("removeAttribute", std::string("aria-busy"));
    Page().call<void>("fit");
    if (focusWanted_ >= 0)
        Focus(focusWanted_);
}

bool WebGadgets::PumpMessages() {
    return false;  // a page cannot wait: its loop runs the program when something happens
}

bool WebGadgets::WindowOnScreen() const {
    return built_ && !window_["hidden"].as<bool>();
}

void WebGadgets::Ring() {
    Page().call<void>("beep");
}

void WebGadgets::ShowCursor(CursorShape shape) {
    window_["style"].set("cursor", std::string(shape == CursorShape::Hand ? "pointer" : ""));
}

}  // namespace ui::web

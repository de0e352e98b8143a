// Making the page's elements from the window's layout: each kind of gadget its element, at its
// place, with the caption, items and state the layout gives; each field labelled by the label
// beside or above it, for screen readers and for a click on the label.
#include <string>

#include "ui/web/page_dom.h"
#include "ui/web/web_gadgets.h"

namespace ui::web {

using emscripten::val;

namespace {

// The label that names a field: the nearest one ending left of it on its row, else the
// nearest one just above it.
const GadgetLayout* LabelOf(const WindowLayout& layout, const GadgetLayout& field) {
    const GadgetLayout* best = nullptr;
    int bestDistance = 1 << 30;
    for (const GadgetLayout& g : layout.gadgets) {
        if (g.kind != GadgetKind::Label || g.parent != field.parent || g.sunken)
            continue;
        const Rect& l = g.place;
        const Rect& f = field.place;
        const int middle = l.y + l.h / 2;
        int distance = bestDistance;
        if (middle >= f.y && middle < f.y + f.h && l.x + l.w <= f.x + 4)
            distance = f.x - (l.x + l.w);
        else if (l.y + l.h <= f.y + 2 && f.y - (l.y + l.h) < 12 && l.x < f.x + f.w && f.x < l.x + l.w)
            distance = 1000 + f.y - (l.y + l.h);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = &g;
        }
    }
    return best;
}

}  // namespace

bool WebGadgets::Build(const WindowLayout& layout) {
    window_ = dom::Get("window");
    if (!window_.as<bool>())
        return false;
    panel_ = layout.panel;
    pageContainers_ = layout.pageContainers;
    pageIcons_ = layout.pageIcons;
    window_.set("hidden", true);
    dom::Place(window_, {0, 0, layout.clientWidth, layout.clientHeight});
    window_.call<void>("setAttribute", std::string("data-width"),
                       std::to_string(layout.clientWidth));
    window_.call<void>("setAttribute", std::string("aria-label"), layout.title);
    for (const GadgetLayout& g : layout.gadgets) {
        Entry entry;
        entry.layout = g;
        val parent = window_;
        if (g.parent != kWindowParent) {
            const Entry* owner = Find(g.parent);
            if (!owner)
                return false;  // a parent made later, or none
            parent = owner->element;
        }
        if (entries_.count(g.number) != 0 || !MakeElement(entry, parent))
            return false;
        entries_.emplace(g.number, std::move(entry));
    }
    for (auto& [number, entry] : entries_) {
        const GadgetKind kind = entry.layout.kind;
        if (kind != GadgetKind::TextField && kind != GadgetKind::ComboBox &&
            kind != GadgetKind::ListBox && kind != GadgetKind::OutputBox) {
            continue;
        }
        if (const GadgetLayout* label = LabelOf(layout, entry.layout))
            dom::Attribute(Find(label->number)->element, "for", dom::Id(number));
    }
    if (!Find(panel_) || pagesMade_ != static_cast<int>(pageContainers_.size()))
        return false;
    ShowPage(0);
    return true;
}

bool WebGadgets::MakeElement(Entry& entry, val parent) {
    const GadgetLayout& g = entry.layout;
    val el = val::undefined();
    val control = val::undefined();
    val caption = val::undefined();
    switch (g.kind) {
        case GadgetKind::Label:
            el = dom::Make("label");
            if (g.alignRight)
                dom::AddClass(el, "right");
            if (g.sunken)
                dom::AddClass(el, "sunken");
            caption = el;
            break;
        case GadgetKind::CheckBox:
            el = dom::Make("label");
            dom::AddClass(el, "check");
            control = dom::Make("input");
            control.set("type", std::string("checkbox"));
            control.set("checked", g.initialState != 0);
            caption = dom::Make("span");
            el.call<void>("append", control, caption);
            break;
        case GadgetKind::ComboBox:
        case GadgetKind::ListBox:
            el = dom::Make("select");
            if (g.kind == GadgetKind::ListBox)
                el.set("size", std::max(2, g.place.h / 16));
            for (const std::string& item : g.items)
                dom::AddOption(el, item);
            el.set("selectedIndex", g.initialState);
            break;
        case GadgetKind::Frame:
            el = dom::Make("div");
            dom::AddClass(el, "frame");
            caption = dom::Make("span");
            el.call<void>("append", caption);
            break;
        case GadgetKind::TextField:
            el = dom::Make("input");
            el.set("type", std::string("text"));
            el.set("autocomplete", std::string("off"));
            el.set("spellcheck", false);
            if (g.filterInput || g.digitsOnly) {
                dom::Attribute(el, "inputmode", g.filterAllowsPoint ? "decimal" : "numeric");
            }
            el.set("value", g.caption);
            break;
        case GadgetKind::OutputBox:
            el = dom::Make("textarea");
            el.set("readOnly", true);
            dom::Attribute(el, "wrap", "off");
            if (g.fixedFont)
                dom::AddClass(el, "fixed");
            entry.rawText = g.caption;
            el.set("value", g.caption);
            break;
        case GadgetKind::Button:
            el = dom::Make("button");
            el.set("type", std::string("button"));
            if (g.isDefault)
                dom::AddClass(el, "default");
            caption = el;
            break;
        case GadgetKind::Panel:
            if (g.number != panel_)
                return false;  // one panel per window
            el = dom::Make("div");
            dom::AddClass(el, "panel");
            break;
        case GadgetKind::Container: {
            const auto page = static_cast<std::size_t>(pagesMade_);
            if (g.parent != panel_ || page >= pageContainers_.size() ||
                pageContainers_[page] != g.number) {
                return false;
            }
            ++pagesMade_;
            el = dom::Make("div");
            dom::AddClass(el, "page");
            dom::Attribute(el, "role", "tabpanel");
            parent.call<void>("append", el);
            entry.element = el;
            dom::Attribute(el, "id", dom::Id(g.number));
            return true;  // placed by the panel
        }
        case GadgetKind::Image:
            el = dom::Make("img");
            dom::AddClass(el, "image");
            el.set("src", val::global("loopsmithImages")[std::to_string(g.image)]);
            el.set("alt", g.toolTip);
            break;
        case GadgetKind::Hyperlink:
            el = dom::Make("a");
            el.set("href", std::string("#"));
            caption = el;
            break;
    }
    if (control.isUndefined())
        control = el;
    dom::Attribute(control, "id", dom::Id(g.number));
    dom::Attribute(control, "data-gadget", std::to_string(g.number));
    if (!caption.isUndefined())
        caption.set("textContent", g.caption);
    if (!g.toolTip.empty())
        el.set("title", g.toolTip);
    dom::Place(el, g.place);
    parent.call<void>("append", el);
    entry.element = el;
    entry.control = control;
    entry.caption = caption;
    entry.textColor = g.textColor;
    entry.toolTip = g.toolTip;
    ApplyColors(entry);
    if (g.kind == GadgetKind::Panel)
        MakeTabs(entry);
    return true;
}

void WebGadgets::MakeTabs(Entry& panel) {
    val list = dom::Make("div");
    dom::Attribute(list, "role", "tablist");
    for (std::size_t page = 0; page < pageContainers_.size(); ++page) {
        val tab = dom::Make("button");
        tab.set("type", std::string("button"));
        dom::Attribute(tab, "role", "tab");
        dom::Attribute(tab, "data-page", std::to_string(page));
        dom::Attribute(tab, "aria-controls", dom::Id(pageContainers_[page]));
        if (page < pageIcons_.size() && pageIcons_[page] > 0) {
            val icon = dom::Make("img");
            icon.set("src", val::global("loopsmithImages")[std::to_string(pageIcons_[page])]);
            icon.set("alt", std::string());
            tab.call<void>("append", icon);
        }
        tab.call<void>("append", dom::Make("span"));
        list.call<void>("append", tab);
    }
    panel.element.call<void>("append", list);
    for (std::size_t page = 0; page < pageContainers_.size(); ++page)
        SetPageTitle(panel_, static_cast<int>(page),
                     page < panel.layout.items.size() ? panel.layout.items[page] : "");
}

}  // namespace ui::web

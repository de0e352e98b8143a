// Making the page's elements from the window's layout: each kind of gadget its element, at its
// place, from the frame's wanted state; each field labelled by the label beside or above it,
// for screen readers and for a click on the label.
#include <algorithm>
#include <string>

#include "ui/web/page_dom.h"
#include "ui/web/web_gadgets.h"

namespace ui::web {

using emscripten::val;

namespace {

bool Named(GadgetKind kind) {
    return kind == GadgetKind::TextField || kind == GadgetKind::ComboBox ||
           kind == GadgetKind::ListBox || kind == GadgetKind::OutputBox;
}

// The label that names a field: the nearest one ending left of it on its row, else the one
// just above it.
const GadgetLayout* LabelOf(const WindowLayout& layout, const GadgetLayout& field) {
    const GadgetLayout* best = nullptr;
    int bestDistance = 1 << 30;
    const Rect& f = field.place;
    for (const GadgetLayout& g : layout.gadgets) {
        if (g.kind != GadgetKind::Label || g.parent != field.parent || g.sunken)
            continue;
        const Rect& l = g.place;
        const int middle = l.y + l.h / 2;
        int distance = bestDistance;
        if (middle >= f.y && middle < f.y + f.h && l.x + l.w <= f.x + 4) {
            distance = f.x - (l.x + l.w);
        } else if (l.y + l.h <= f.y + 2 && f.y - (l.y + l.h) < 12 && l.x < f.x + f.w &&
                   f.x < l.x + l.w) {
            distance = 1000 + f.y - (l.y + l.h);
        }
        if (distance < bestDistance) {
            bestDistance = distance;
            best = &g;
        }
    }
    return best;
}

}  // namespace

WebGadgets::WebGadgets(const WindowLayout& layout) : GadgetFrame(layout) {
    built_ = LayoutSound() && Build();
    SetCurrent(this);
}

WebGadgets::~WebGadgets() {
    SetCurrent(nullptr);
}

bool WebGadgets::Build() {
    const WindowLayout& layout = Layout();
    window_ = dom::Get("window");
    if (!window_.as<bool>())
        return false;
    window_.set("hidden", true);
    window_.call<void>("replaceChildren");
    dom::Place(window_, {0, 0, layout.clientWidth, layout.clientHeight});
    dom::Attribute(window_, "data-width", std::to_string(layout.clientWidth));
    dom::Attribute(window_, "data-height", std::to_string(layout.clientHeight));
    dom::Attribute(window_, "aria-label", layout.title);
    // Every control at once: a page's elements cost little, and a page not shown is hidden.
    for (const GadgetLayout& g : layout.gadgets) {
        Control* control = GadgetFrame::Find(g.number);
        const Elements e = MakeElements(*control);
        val parent = g.parent == kWindowParent ? window_ : Find(g.parent)->control;
        parent.call<void>("append", e.outer);
        elements_[g.number] = e;
        Made(*control);
    }
    for (const GadgetLayout& g : layout.gadgets) {
        if (!Named(g.kind))
            continue;
        const GadgetLayout* label = LabelOf(layout, g);
        if (!label)
            continue;
        // Names the control for screen readers; a click on the label goes to the first of the
        // controls it names.
        dom::Attribute(Find(g.number)->control, "aria-labelledby", dom::Id(label->number));
        val element = Find(label->number)->outer;
        if (!element.call<bool>("hasAttribute", std::string("for")))
            dom::Attribute(element, "for", dom::Id(g.number));
    }
    ShowPage(0);
    return true;
}

WebGadgets::Elements WebGadgets::MakeElements(const Control& control) {
    const GadgetLayout& g = control.layout;
    const ControlState& s = control.want;
    Elements e;
    switch (g.kind) {
        case GadgetKind::Label:
            e.outer = dom::Make("label");
            if (g.alignRight)
                dom::AddClass(e.outer, "right");
            if (g.sunken)
                dom::AddClass(e.outer, "sunken");
            e.caption = e.outer;
            break;
        case GadgetKind::CheckBox:
            // The mark is on the box: a click on the caption reaches it as the box's click.
            e.outer = dom::Make("label");
            dom::AddClass(e.outer, "check");
            e.control = dom::Make("input");
            e.control.set("type", std::string("checkbox"));
            e.control.set("checked", s.state != 0);
            e.caption = dom::Make("span");
            e.outer.call<void>("append", e.control, e.caption);
            break;
        case GadgetKind::ComboBox:
        case GadgetKind::ListBox:
            e.outer = dom::Make("select");
            if (g.kind == GadgetKind::ListBox)
                e.outer.set("size", std::max(2, g.place.h / 16));
            for (const std::string& item : s.items)
                dom::AddOption(e.outer, item);
            e.outer.set("selectedIndex", s.state);
            break;
        case GadgetKind::Frame:
            e.outer = dom::Make("div");
            dom::AddClass(e.outer, "frame");
            e.caption = dom::Make("span");
            e.outer.call<void>("append", e.caption);
            break;
        case GadgetKind::TextField:
            e.outer = dom::Make("input");
            e.outer.set("type", std::string("text"));
            e.outer.set("autocomplete", std::string("off"));
            e.outer.set("spellcheck", false);
            if (g.filterInput || g.digitsOnly)
                dom::Attribute(e.outer, "inputmode", g.filterAllowsPoint ? "decimal" : "numeric");
            e.outer.set("value", s.text);
            break;
        case GadgetKind::OutputBox:
            e.outer = dom::Make("textarea");
            e.outer.set("readOnly", true);
            dom::Attribute(e.outer, "wrap", "off");
            if (g.fixedFont)
                dom::AddClass(e.outer, "fixed");
            e.outer.set("value", s.text);
            break;
        case GadgetKind::Button:
            e.outer = dom::Make("button");
            e.outer.set("type", std::string("button"));
            if (g.isDefault)
                dom::AddClass(e.outer, "default");
            e.caption = e.outer;
            break;
        case GadgetKind::Panel:
            e.outer = dom::Make("div");
            dom::AddClass(e.outer, "panel");
            e.outer.call<void>("append", MakeTabs(control));
            break;
        case GadgetKind::Container:
            e.outer = dom::Make("div");
            dom::AddClass(e.outer, "page");
            dom::Attribute(e.outer, "role", "tabpanel");
            break;
        case GadgetKind::Image:
            e.outer = dom::Make("img");
            dom::AddClass(e.outer, "image");
            e.outer.set("src", val::global("loopsmithImages")[std::to_string(g.image)]);
            e.outer.set("alt", s.toolTip);
            break;
        case GadgetKind::Hyperlink:
            e.outer = dom::Make("a");
            e.outer.set("href", std::string("#"));
            e.caption = e.outer;
            break;
    }
    if (e.control.isUndefined())
        e.control = e.outer;
    dom::Attribute(e.control, "id", dom::Id(g.number));
    dom::Attribute(e.control, "data-gadget", std::to_string(g.number));
    if (!e.caption.isUndefined())
        e.caption.set("textContent", s.text);
    if (g.kind != GadgetKind::Container)  // a page fills the panel below the tabs
        dom::Place(e.outer, g.place);
    return e;
}

val WebGadgets::MakeTabs(const Control& panel) {
    val list = dom::Make("div");
    dom::Attribute(list, "role", "tablist");
    const WindowLayout& layout = Layout();
    for (std::size_t page = 0; page < layout.pageContainers.size(); ++page) {
        val tab = dom::Make("button");
        tab.set("type", std::string("button"));
        dom::Attribute(tab, "role", "tab");
        dom::Attribute(tab, "data-page", std::to_string(page));
        dom::Attribute(tab, "aria-controls", dom::Id(layout.pageContainers[page]));
        if (page < layout.pageIcons.size() && layout.pageIcons[page] > 0) {
            val icon = dom::Make("img");
            icon.set("src", val::global("loopsmithImages")[std::to_string(layout.pageIcons[page])]);
            icon.set("alt", std::string());
            tab.call<void>("append", icon);
        }
        val title = dom::Make("span");
        if (page < panel.want.items.size())
            title.set("textContent", panel.want.items[page]);
        tab.call<void>("append", title);
        list.call<void>("append", tab);
    }
    return list;
}

}  // namespace ui::web

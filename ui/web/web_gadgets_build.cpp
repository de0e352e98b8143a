// Making the page's elements from the window's layout: the whole window as markup from the
// frame's wanted state, parsed by the page in one go when the window is first shown. Every
// later change is then one call; before that moment a change costs nothing but the state.
#include <map>

#include "ui/web/page_elements.h"
#include "ui/web/page_markup.h"
#include "ui/web/web_gadgets.h"

namespace ui::web {

WebGadgets::WebGadgets(const WindowLayout& layout) : GadgetFrame(layout) {
    SetCurrent(this);
}

WebGadgets::~WebGadgets() {
    SetCurrent(nullptr);
}

bool WebGadgets::Buildable() const {
    return LayoutSound() && elements::HasPlace();
}

void WebGadgets::HoldWindow(bool hold) {
    held_ = hold;
    if (!held_ && showWanted_ && !shown_)
        Reveal();
}

void WebGadgets::Reveal() {
    if (!built_ && !(LayoutSound() && Build()))
        return;
    shown_ = true;
    elements::ShowWindow();
    if (focusWanted_ >= 0)
        Focus(focusWanted_);
}

bool WebGadgets::Build() {
    const WindowLayout& layout = Layout();
    // A long list is left out of the markup and filled as any later one, a slice per task:
    // 30,000 profiles in one piece would hold the page for seconds.
    constexpr std::size_t kLongList = 1000;
    std::map<int, ControlState> shortened;
    const std::string markup = WindowMarkup(
        layout,
        [&](int gadget) -> const ControlState& {
            const ControlState& want = GadgetFrame::Find(gadget)->want;
            if (want.items.size() <= kLongList || Find(gadget)->layout.kind == GadgetKind::Panel)
                return want;
            ControlState& without = shortened[gadget] = want;
            without.items.clear();
            without.state = -1;
            return without;
        },
        names_);
    if (!elements::Build(markup, layout.clientWidth, layout.clientHeight, layout.title))
        return false;
    built_ = true;  // from here on the frame's changes reach the elements
    itemsDue_.clear();
    for (const GadgetLayout& g : layout.gadgets) {
        Control* control = GadgetFrame::Find(g.number);
        if (HasItems(g.kind))
            optionsShown_[g.number] = shortened.count(g.number) ? 0 : control->want.items.size();
        if (shortened.count(g.number)) {
            itemsDue_.insert(g.number);
            Push(*control, Aspect::State);  // the items, then the selection
        }
        Made(*control);
    }
    const Control* panel = GadgetFrame::Find(layout.panel);
    const int pages = static_cast<int>(layout.pageContainers.size());
    ShowPage(panel && panel->want.state > 0 && panel->want.state < pages ? panel->want.state : 0);
    return true;
}

}  // namespace ui::web

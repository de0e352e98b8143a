// Making the page's elements from the window's layout: the whole window as markup from the
// frame's wanted state, parsed by the page in one go.
#include "ui/web/page_elements.h"
#include "ui/web/page_markup.h"
#include "ui/web/web_gadgets.h"

namespace ui::web {

WebGadgets::WebGadgets(const WindowLayout& layout) : GadgetFrame(layout) {
    built_ = LayoutSound() && Build();
    SetCurrent(this);
}

WebGadgets::~WebGadgets() {
    SetCurrent(nullptr);
}

bool WebGadgets::Build() {
    const WindowLayout& layout = Layout();
    const std::string markup = WindowMarkup(layout, [this](int gadget) -> const ControlState& {
        return GadgetFrame::Find(gadget)->want;
    });
    if (!elements::Build(markup, layout.clientWidth, layout.clientHeight, layout.title))
        return false;
    built_ = true;  // from here on the frame's changes reach the elements
    for (const GadgetLayout& g : layout.gadgets) {
        Control* control = GadgetFrame::Find(g.number);
        if (HasItems(g.kind))
            optionsShown_[g.number] = control->want.items.size();
        Made(*control);
    }
    ShowPage(0);
    return true;
}

}  // namespace ui::web

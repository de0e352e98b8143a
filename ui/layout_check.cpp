#include "ui/layout_check.h"

#include <map>

namespace ui {

bool IsSoundLayout(const WindowLayout& layout) {
    std::map<int, const GadgetLayout*> seen;
    const GadgetLayout* panel = nullptr;
    size_t pages = 0;
    for (const GadgetLayout& g : layout.gadgets) {
        if (seen.count(g.number))
            return false;
        if (g.parent != kWindowParent && !seen.count(g.parent))
            return false;
        if (g.kind == GadgetKind::Panel) {
            if (panel || g.number != layout.panel || g.parent != kWindowParent)
                return false;
            panel = &g;
        }
        if (g.kind == GadgetKind::Container) {
            if (!panel || g.parent != panel->number || pages >= panel->items.size() ||
                pages >= layout.pageContainers.size() || layout.pageContainers[pages] != g.number) {
                return false;
            }
            ++pages;
        }
        seen[g.number] = &g;
    }
    return panel != nullptr || layout.panel < 0;
}

int PageOf(const WindowLayout& layout, const GadgetLayout& gadget) {
    const auto& pages = layout.pageContainers;
    for (size_t i = 0; i < pages.size(); ++i) {
        if (pages[i] == gadget.parent)
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace ui

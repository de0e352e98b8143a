#include "ui/caption_room.h"

#include <algorithm>
#include <vector>

namespace ui {

namespace {

// The panel's frame around its pages' area, left and right together.
constexpr int kPanelBorders = 6;

bool RowsMeet(const Rect& a, const Rect& b) {
    return a.y < b.y + b.h && b.y < a.y + a.h;
}

bool Holds(const Rect& outer, const Rect& inner) {
    return outer.x <= inner.x && inner.x + inner.w <= outer.x + outer.w && outer.y <= inner.y &&
           inner.y + inner.h <= outer.y + outer.h;
}

// The right edge of the rightmost gadget of each parent.
std::map<int, int> RightEdges(const std::vector<GadgetLayout>& gadgets) {
    std::map<int, int> edges;
    for (const GadgetLayout& g : gadgets) {
        int& edge = edges[g.parent];
        edge = std::max(edge, g.place.x + g.place.w);
    }
    return edges;
}

void Widen(std::vector<GadgetLayout>& gadgets, std::size_t grown, int extra) {
    const Rect old = gadgets[grown].place;
    const int parent = gadgets[grown].parent;
    std::vector<bool> moves(gadgets.size(), false);
    for (std::size_t j = 0; j < gadgets.size(); ++j) {
        const GadgetLayout& g = gadgets[j];
        moves[j] = j != grown && g.parent == parent && g.place.x >= old.x + old.w &&
                   RowsMeet(g.place, old);
    }
    for (std::size_t f = 0; f < gadgets.size(); ++f) {
        if (!moves[f] || gadgets[f].kind != GadgetKind::Frame)
            continue;
        for (std::size_t j = 0; j < gadgets.size(); ++j) {
            if (gadgets[j].parent == parent && Holds(gadgets[f].place, gadgets[j].place))
                moves[j] = true;
        }
    }
    for (std::size_t j = 0; j < gadgets.size(); ++j) {
        GadgetLayout& g = gadgets[j];
        if (moves[j]) {
            g.place.x += extra;
        } else if (j != grown && g.parent == parent && g.kind == GadgetKind::Frame &&
                   Holds(g.place, old)) {
            g.place.w += extra;
        }
    }
    gadgets[grown].place.w += extra;
}

}  // namespace

WindowLayout MakeRoom(WindowLayout layout, const std::map<int, int>& need, int maxClientWidth) {
    std::vector<GadgetLayout>& gadgets = layout.gadgets;
    const std::map<int, int> edgesBefore = RightEdges(gadgets);
    for (std::size_t i = 0; i < gadgets.size(); ++i) {
        const auto it = need.find(gadgets[i].number);
        if (it == need.end() || gadgets[i].kind == GadgetKind::Panel)
            continue;
        const int extra = it->second - gadgets[i].place.w;
        if (extra <= 0)
            continue;
        // A column (the same place across, the same parent and kind) keeps one width.
        const GadgetLayout column = gadgets[i];
        for (std::size_t j = 0; j < gadgets.size(); ++j) {
            const GadgetLayout& g = gadgets[j];
            if (g.parent == column.parent && g.kind == column.kind && g.place.x == column.place.x &&
                g.place.w == column.place.w) {
                Widen(gadgets, j, extra);
            }
        }
    }

    // The panel grows by what its pages' gadgets need beyond the room its pages have (their
    // area lies inside its borders), or to what its titles need; the window by that, or by what
    // its own gadgets need beyond its width.
    const std::map<int, int> edgesAfter = RightEdges(gadgets);
    auto growth = [&](int parent, int room) {
        const auto before = edgesBefore.find(parent), after = edgesAfter.find(parent);
        if (before == edgesBefore.end())
            return 0;
        return std::max(0, after->second - std::max(before->second, room));
    };
    int panelGrowth = 0;
    GadgetLayout* panel = nullptr;
    for (GadgetLayout& g : gadgets) {
        if (g.number != layout.panel)
            continue;
        panel = &g;
        for (int container : layout.pageContainers)
            panelGrowth = std::max(panelGrowth, growth(container, g.place.w - kPanelBorders));
        if (const auto titles = need.find(g.number); titles != need.end())
            panelGrowth = std::max(panelGrowth, titles->second - g.place.w);
    }
    const int wanted =
        layout.clientWidth + std::max(panelGrowth, growth(kWindowParent, layout.clientWidth));
    const int width = std::max(layout.clientWidth, std::min(wanted, maxClientWidth));
    if (panel) {
        panel->place.w += std::min(panelGrowth, width - layout.clientWidth);
    }
    layout.clientWidth = width;
    return layout;
}

}  // namespace ui

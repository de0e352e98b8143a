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

int Right(const Rect& r) {
    return r.x + r.w;
}

// The right (or bottom) edge of the outermost gadget of each parent.
std::map<int, int> Edges(const std::vector<GadgetLayout>& gadgets, bool bottom) {
    std::map<int, int> edges;
    for (const GadgetLayout& g : gadgets) {
        int& edge = edges[g.parent];
        edge = std::max(edge, bottom ? g.place.y + g.place.h : Right(g.place));
    }
    return edges;
}

// Widens gadget `grown` by `extra`. What moves or grows with it keeps the gap or margin it had
// in `first`, the layout before any room was made: two captions growing on one row or in one
// frame then cost the larger of their growths, not the sum.
void Widen(std::vector<GadgetLayout>& gadgets, const std::vector<GadgetLayout>& first,
           std::size_t grown, int extra) {
    if (extra <= 0)
        return;
    const Rect old = gadgets[grown].place;
    const int parent = gadgets[grown].parent;
    const int newRight = Right(old) + extra;
    const int firstRight = Right(first[grown].place);
    std::vector<int> shift(gadgets.size(), 0);
    for (std::size_t j = 0; j < gadgets.size(); ++j) {
        const GadgetLayout& g = gadgets[j];
        if (j != grown && g.parent == parent && g.place.x >= Right(old) && RowsMeet(g.place, old))
            shift[j] = std::max(0, newRight + first[j].place.x - firstRight - g.place.x);
    }
    for (std::size_t f = 0; f < gadgets.size(); ++f) {  // a moved frame takes what it holds
        if (shift[f] == 0 || gadgets[f].kind != GadgetKind::Frame)
            continue;
        for (std::size_t j = 0; j < gadgets.size(); ++j) {
            if (j != f && gadgets[j].parent == parent && Holds(gadgets[f].place, gadgets[j].place))
                shift[j] = std::max(shift[j], shift[f]);
        }
    }
    for (std::size_t j = 0; j < gadgets.size(); ++j)
        gadgets[j].place.x += shift[j];
    gadgets[grown].place.w += extra;
    // The frames around it grow, innermost first, and make room for themselves in turn.
    std::vector<std::size_t> frames;
    for (std::size_t f = 0; f < gadgets.size(); ++f) {
        if (f != grown && gadgets[f].parent == parent && gadgets[f].kind == GadgetKind::Frame &&
            Holds(gadgets[f].place, old)) {
            frames.push_back(f);
        }
    }
    std::sort(frames.begin(), frames.end(), [&gadgets](std::size_t a, std::size_t b) {
        return gadgets[a].place.w < gadgets[b].place.w;
    });
    for (std::size_t f : frames) {
        Widen(gadgets, first, f,
              newRight + Right(first[f].place) - firstRight - Right(gadgets[f].place));
    }
}

struct Widened {
    WindowLayout layout;
    int panelGrowth = 0;
    int wantedWidth = 0;  // the client width it needs, before the limit
};

Widened Widen(const WindowLayout& first, const std::map<int, int>& need) {
    Widened out{first};
    std::vector<GadgetLayout>& gadgets = out.layout.gadgets;
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
                Widen(gadgets, first.gadgets, j, extra);
            }
        }
    }

    // The panel grows by what its pages' gadgets need beyond the room its pages have (their
    // area lies inside its borders), or to what its titles need; the window by that, or by what
    // its own gadgets need beyond its width.
    const std::map<int, int> edgesBefore = Edges(first.gadgets, false);
    const std::map<int, int> edgesAfter = Edges(gadgets, false);
    auto growth = [&](int parent, int room) {
        const auto before = edgesBefore.find(parent), after = edgesAfter.find(parent);
        if (before == edgesBefore.end())
            return 0;
        return std::max(0, after->second - std::max(before->second, room));
    };
    for (const GadgetLayout& g : gadgets) {
        if (g.number != first.panel)
            continue;
        for (int container : first.pageContainers)
            out.panelGrowth =
                std::max(out.panelGrowth, growth(container, g.place.w - kPanelBorders));
        if (const auto titles = need.find(g.number); titles != need.end())
            out.panelGrowth = std::max(out.panelGrowth, titles->second - g.place.w);
    }
    out.wantedWidth =
        first.clientWidth + std::max(out.panelGrowth, growth(kWindowParent, first.clientWidth));
    return out;
}

// Wrapped captions grow to the height their text needs, top to bottom: what lies below their
// middle moves down, frames across it and the other wrapped captions of the row grow with
// them, and the output box gives up to half its height for it. The panel and the window grow
// by what their pages and gadgets then need.
void GrowTaller(WindowLayout& room, const WindowLayout& first, const std::map<int, int>& need,
                const std::map<int, Wrapping>& wraps) {
    std::vector<GadgetLayout>& gadgets = room.gadgets;
    std::vector<std::size_t> wrapped;
    for (std::size_t i = 0; i < gadgets.size(); ++i) {
        const auto n = need.find(gadgets[i].number);
        if (wraps.count(gadgets[i].number) && n != need.end() && n->second > gadgets[i].place.w)
            wrapped.push_back(i);
    }
    std::sort(wrapped.begin(), wrapped.end(), [&gadgets](std::size_t a, std::size_t b) {
        return gadgets[a].place.y < gadgets[b].place.y;
    });
    const std::map<int, int> bottomsBefore = Edges(gadgets, true);
    for (std::size_t i : wrapped) {
        const GadgetLayout w = gadgets[i];
        const int taller = wraps.at(w.number).heightAt(w.place.w) - w.place.h;
        if (taller <= 0)
            continue;
        const int line = w.place.y + w.place.h / 2;
        for (std::size_t j = 0; j < gadgets.size(); ++j) {
            Rect& p = gadgets[j].place;
            if (gadgets[j].parent != w.parent)
                continue;
            const bool isWrapped = std::find(wrapped.begin(), wrapped.end(), j) != wrapped.end();
            if (p.y >= line) {
                p.y += taller;
                if (gadgets[j].kind == GadgetKind::OutputBox)
                    p.h = std::max(p.h - taller, first.gadgets[j].place.h / 2);
            } else if (p.y + p.h > line && (gadgets[j].kind == GadgetKind::Frame || isWrapped)) {
                p.h += taller;
            }
        }
    }
    const std::map<int, int> bottomsAfter = Edges(gadgets, true);
    int pagesTaller = 0;
    for (int container : room.pageContainers) {
        if (const auto b = bottomsBefore.find(container); b != bottomsBefore.end())
            pagesTaller = std::max(pagesTaller, bottomsAfter.at(container) - b->second);
    }
    for (GadgetLayout& g : gadgets) {
        if (g.number != room.panel || pagesTaller == 0)
            continue;
        const int panelBottom = g.place.y + g.place.h;
        g.place.h += pagesTaller;
        for (GadgetLayout& below : gadgets) {
            if (below.parent == kWindowParent && below.place.y >= panelBottom)
                below.place.y += pagesTaller;
        }
    }
    const int windowBottomBefore = bottomsBefore.at(kWindowParent);
    room.clientHeight += std::max(0, Edges(gadgets, true).at(kWindowParent) - windowBottomBefore);
}

}  // namespace

WindowLayout MakeRoom(WindowLayout layout, const std::map<int, int>& need, int maxClientWidth,
                      const std::map<int, Wrapping>& wraps) {
    Widened widened = Widen(layout, need);
    std::map<int, int> given = need;
    if (widened.wantedWidth > maxClientWidth && !wraps.empty()) {
        // The wrapping captions get at most `allowance` beyond their places: the largest
        // allowance that keeps the window within the limit (none, if nothing does).
        auto narrowed = [&](int allowance) {
            std::map<int, int> n = need;
            for (const GadgetLayout& g : layout.gadgets) {
                const auto w = wraps.find(g.number);
                const auto it = n.find(g.number);
                if (w != wraps.end() && it != n.end())
                    it->second =
                        std::min(it->second, std::max(g.place.w + allowance, w->second.narrowest));
            }
            return n;
        };
        int low = 0, high = 0;
        for (const auto& [number, width] : need)
            high = std::max(high, width);
        while (low < high) {
            const int mid = (low + high + 1) / 2;
            if (Widen(layout, narrowed(mid)).wantedWidth <= maxClientWidth)
                low = mid;
            else
                high = mid - 1;
        }
        given = narrowed(low);
        widened = Widen(layout, given);
    }
    WindowLayout room = std::move(widened.layout);
    const int width = std::max(layout.clientWidth, std::min(widened.wantedWidth, maxClientWidth));
    for (GadgetLayout& g : room.gadgets) {
        if (g.number == layout.panel)
            g.place.w += std::min(widened.panelGrowth, width - layout.clientWidth);
    }
    room.clientWidth = width;
    if (given != need)
        GrowTaller(room, layout, need, wraps);
    return room;
}

}  // namespace ui

#include "ui/web/page_markup.h"

#include <algorithm>
#include <map>
#include <vector>

#include "base/utf8.h"

namespace ui::web {

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

class Markup {
  public:
    Markup(const WindowLayout& layout, const std::function<const ControlState&(int)>& want,
           const std::map<int, std::string>& names)
        : layout_(layout), want_(want), names_(names) {
        for (const GadgetLayout& g : layout.gadgets) {
            children_[g.parent].push_back(&g);
            if (!Named(g.kind))
                continue;
            if (const GadgetLayout* label = LabelOf(layout, g)) {
                namedBy_[g.number] = label->number;
                labelFor_.emplace(label->number, g.number);  // the first field keeps it
            }
        }
    }

    std::string Window() {
        Children(kWindowParent);
        return std::move(out_);
    }

  private:
    void Children(int parent) {
        auto it = children_.find(parent);
        if (it == children_.end())
            return;
        for (const GadgetLayout* g : it->second)
            Gadget(*g);
    }

    void Number(const char* attribute, int n) {
        out_ += ' ';
        out_ += attribute;
        out_ += "=\"" + std::to_string(n) + '"';
    }

    void Attribute(const char* name, std::string_view value) {
        out_ += ' ';
        out_ += name;
        out_ += "=\"" + HtmlEscaped(value) + '"';
    }

    void Classes(std::initializer_list<std::pair<const char*, bool>> classes) {
        std::string list;
        for (const auto& [name, on] : classes) {
            if (on)
                list += list.empty() ? name : std::string(" ") + name;
        }
        if (!list.empty())
            Attribute("class", list);
    }

    void Place(const Rect& r) {
        out_ += " style=\"left:" + std::to_string(r.x) + "px;top:" + std::to_string(r.y) +
                "px;width:" + std::to_string(r.w) + "px;height:" + std::to_string(r.h) + "px\"";
    }

    // The attributes of the element the program reads and focuses.
    void Control(const GadgetLayout& g) {
        Attribute("id", "g" + std::to_string(g.number));
        Number("data-gadget", g.number);
        if (auto it = names_.find(g.number); it != names_.end())
            Attribute(g.kind == GadgetKind::Image ? "alt" : "aria-label", it->second);
        else if (auto by = namedBy_.find(g.number); by != namedBy_.end())
            Attribute("aria-labelledby", "g" + std::to_string(by->second));
    }

    void Outer(const GadgetLayout& g) {
        Number("data-outer", g.number);
        if (g.kind != GadgetKind::Container)  // a page fills the panel below the tabs
            Place(g.place);
    }

    void Text(std::string_view text) { out_ += HtmlEscaped(text); }

    void Gadget(const GadgetLayout& g) {
        const ControlState& s = want_(g.number);
        const int n = g.number;
        switch (g.kind) {
            case GadgetKind::Label:
                out_ += "<label";
                Classes({{"right", g.alignRight}, {"sunken", g.sunken}});
                Outer(g);
                Control(g);
                Number("data-caption", n);
                if (auto it = labelFor_.find(n); it != labelFor_.end())
                    Attribute("for", "g" + std::to_string(it->second));
                out_ += '>';
                Text(s.text);
                out_ += "</label>";
                break;
            case GadgetKind::CheckBox:
                // The mark is on the box: a click on the caption reaches it as the box's click.
                out_ += "<label class=\"check\"";
                Outer(g);
                out_ += "><input type=\"checkbox\"";
                Control(g);
                out_ += s.state != 0 ? " checked>" : ">";
                out_ += "<span";
                Number("data-caption", n);
                out_ += '>';
                Text(s.text);
                out_ += "</span></label>";
                break;
            case GadgetKind::ComboBox:
            case GadgetKind::ListBox:
                out_ += "<select";
                if (g.kind == GadgetKind::ListBox)
                    Number("size", std::max(2, g.place.h / 16));
                Outer(g);
                Control(g);
                Number("data-state", s.state);
                out_ += '>';
                for (const std::string& item : s.items) {
                    out_ += "<option>";
                    Text(base::IsolatedForDisplay(item));
                    out_ += "</option>";
                }
                out_ += "</select>";
                break;
            case GadgetKind::Frame:
                out_ += "<div class=\"frame\"";
                Outer(g);
                Control(g);
                out_ += "><span";
                Number("data-caption", n);
                out_ += '>';
                Text(s.text);
                out_ += "</span>";
                Children(n);
                out_ += "</div>";
                break;
            case GadgetKind::TextField:
                out_ += "<input type=\"text\" autocomplete=\"off\" spellcheck=\"false\"";
                if (g.filterInput || g.digitsOnly)
                    Attribute("inputmode", g.filterAllowsPoint ? "decimal" : "numeric");
                Outer(g);
                Control(g);
                Attribute("value", s.text);
                out_ += '>';
                break;
            case GadgetKind::OutputBox:
                out_ += "<textarea readonly wrap=\"off\"";
                Classes({{"fixed", g.fixedFont}});
                Outer(g);
                Control(g);
                // The parser drops one line break right after the tag: this one.
                out_ += ">\n";
                Text(s.text);
                out_ += "</textarea>";
                break;
            case GadgetKind::Button:
                out_ += "<button type=\"button\"";
                Classes({{"default", g.isDefault}});
                Outer(g);
                Control(g);
                Number("data-caption", n);
                out_ += '>';
                Text(s.text);
                out_ += "</button>";
                break;
            case GadgetKind::Panel:
                out_ += "<div class=\"panel\"";
                Outer(g);
                Control(g);
                out_ += "><div role=\"tablist\">";
                Tabs(s);
                out_ += "</div>";
                Children(n);
                out_ += "</div>";
                break;
            case GadgetKind::Container:
                out_ += "<div class=\"page\" role=\"tabpanel\"";
                Outer(g);
                Control(g);
                out_ += '>';
                Children(n);
                out_ += "</div>";
                break;
            case GadgetKind::Image:
                // Opened by a click: a link, reached by Tab.
                out_ += "<img class=\"image\" role=\"link\" tabindex=\"0\"";
                Number("data-image", g.image);
                if (!names_.count(n))
                    Attribute("alt", s.toolTip);
                Outer(g);
                Control(g);
                out_ += '>';
                break;
            case GadgetKind::Hyperlink:
                out_ += "<a href=\"#\"";
                Outer(g);
                Control(g);
                Number("data-caption", n);
                out_ += '>';
                Text(s.text);
                out_ += "</a>";
                break;
        }
    }

    void Tabs(const ControlState& panel) {
        const auto& pages = layout_.pageContainers;
        for (std::size_t page = 0; page < pages.size(); ++page) {
            out_ += "<button type=\"button\" role=\"tab\"";
            Number("data-page", static_cast<int>(page));
            Attribute("aria-controls", "g" + std::to_string(pages[page]));
            out_ += '>';
            if (page < layout_.pageIcons.size() && layout_.pageIcons[page] > 0) {
                out_ += "<img alt=\"\"";
                Number("data-image", layout_.pageIcons[page]);
                out_ += '>';
            }
            out_ += "<span>";
            if (page < panel.items.size())
                Text(panel.items[page]);
            out_ += "</span></button>";
        }
    }

    const WindowLayout& layout_;
    const std::function<const ControlState&(int)>& want_;
    const std::map<int, std::string>& names_;
    std::map<int, std::vector<const GadgetLayout*>> children_;
    std::map<int, int> namedBy_, labelFor_;
    std::string out_;
};

}  // namespace

std::string HtmlEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string WindowMarkup(const WindowLayout& layout,
                         const std::function<const ControlState&(int gadget)>& want,
                         const std::map<int, std::string>& names) {
    return Markup(layout, want, names).Window();
}

}  // namespace ui::web

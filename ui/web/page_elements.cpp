#include "ui/web/page_elements.h"

#include <emscripten.h>

#include <cstdlib>

namespace ui::web::elements {

namespace {

// clang-format off
EM_JS(int, page_build, (const char* markup, int width, int height, const char* title), {
    return LoopsmithElements.build(UTF8ToString(markup), width, height, UTF8ToString(title));
});
EM_JS(int, page_has_place, (), { return document.getElementById('window') ? 1 : 0; });
EM_JS(void, page_set_text, (int n, const char* text, int isValue), {
    LoopsmithElements.setText(n, UTF8ToString(text), isValue !== 0);
});
EM_JS(void, page_set_property, (int n, int which, int value), {
    const e = LoopsmithElements.control(n);
    if (which === 0) e.checked = value !== 0;
    else if (which === 1) LoopsmithElements.setSelected(n, value);
    else if (which === 2) LoopsmithElements.outer(n).hidden = value !== 0;
    else if (which === 3) e.readOnly = value !== 0;
    else if (which === 4) LoopsmithElements.setEnabled(n, value !== 0);
});
EM_JS(int, page_property, (int n, int which), {
    const e = LoopsmithElements.control(n);
    return which === 0 ? (e.checked ? 1 : 0) : LoopsmithElements.selected(n);
});
EM_JS(void, page_set_items, (int n, int kept, int count, const char* joined), {
    LoopsmithElements.setItems(n, kept, count, UTF8ToString(joined));
});
EM_JS(void, page_set_colors, (int n, const char* text, const char* back, const char* hover), {
    LoopsmithElements.setColors(n, UTF8ToString(text), UTF8ToString(back), UTF8ToString(hover));
});
EM_JS(void, page_set_tool_tip, (int n, const char* text), {
    LoopsmithElements.outer(n).title = UTF8ToString(text);
});
EM_JS(void, page_set_name, (int n, const char* name), {
    LoopsmithElements.setName(n, UTF8ToString(name));
});
EM_JS(void, page_show_page, (int panel, int page), {
    LoopsmithElements.showPage(panel, page);
});
EM_JS(void, page_show_window, (), { LoopsmithElements.show(); });
EM_JS(void, page_set_cursor, (int hand), {
    LoopsmithElements.root().style.cursor = hand ? "pointer" : "";
});
EM_JS(char*, page_value, (int n), {
    const text = String(LoopsmithElements.control(n).value);
    const size = lengthBytesUTF8(text) + 1;
    const copy = _malloc(size);
    stringToUTF8(text, copy, size);
    return copy;
});
EM_JS(int, page_focused, (), { return LoopsmithElements.focused(); });
EM_JS(void, page_focus, (int n), { LoopsmithPage.focus(LoopsmithElements.control(n)); });
EM_JS(int, page_pointer_inside, (int n), {
    return LoopsmithPage.pointerInside(LoopsmithElements.outer(n)) ? 1 : 0;
});
// clang-format on

enum Property { kChecked = 0, kSelected = 1, kHidden = 2, kReadOnly = 3, kEnabled = 4 };

}  // namespace

bool HasPlace() {
    return page_has_place() != 0;
}

bool Build(const std::string& markup, int width, int height, const std::string& title) {
    return page_build(markup.c_str(), width, height, title.c_str()) != 0;
}

void SetText(int gadget, const std::string& text, bool isValue) {
    page_set_text(gadget, text.c_str(), isValue ? 1 : 0);
}

void SetChecked(int gadget, bool checked) {
    page_set_property(gadget, kChecked, checked ? 1 : 0);
}

void SetSelected(int gadget, int index) {
    page_set_property(gadget, kSelected, index);
}

void SetItems(int gadget, std::size_t kept, const std::vector<std::string>& added) {
    std::string joined;
    for (std::size_t i = 0; i < added.size(); ++i) {
        if (i > 0)
            joined += '\x1f';
        joined += added[i];
    }
    SetJoinedItems(gadget, kept, added.size(), joined);
}

void SetJoinedItems(int gadget, std::size_t kept, std::size_t count, const std::string& joined) {
    page_set_items(gadget, static_cast<int>(kept), static_cast<int>(count), joined.c_str());
}

void SetEnabled(int gadget, bool enabled) {
    page_set_property(gadget, kEnabled, enabled ? 1 : 0);
}

void SetHidden(int gadget, bool hidden) {
    page_set_property(gadget, kHidden, hidden ? 1 : 0);
}

void SetReadOnly(int gadget, bool readOnly) {
    page_set_property(gadget, kReadOnly, readOnly ? 1 : 0);
}

void SetColors(int gadget, const Color& text, const Color& back, const Color& hover) {
    page_set_colors(gadget, CssColor(text).c_str(), CssColor(back).c_str(),
                    hover == Color::Default() ? "" : CssColor(hover).c_str());
}

void SetToolTip(int gadget, const std::string& text) {
    page_set_tool_tip(gadget, text.c_str());
}

void SetName(int gadget, const std::string& name) {
    page_set_name(gadget, name.c_str());
}

void ShowPage(int panel, int page) {
    page_show_page(panel, page);
}

void ShowWindow() {
    page_show_window();
}

void SetCursor(bool hand) {
    page_set_cursor(hand ? 1 : 0);
}

std::string Value(int gadget) {
    char* text = page_value(gadget);
    std::string value(text);
    std::free(text);
    return value;
}

bool Checked(int gadget) {
    return page_property(gadget, kChecked) != 0;
}

int Selected(int gadget) {
    return page_property(gadget, kSelected);
}

int Focused() {
    return page_focused();
}

void Focus(int gadget) {
    page_focus(gadget);
}

bool PointerInside(int gadget) {
    return page_pointer_inside(gadget) != 0;
}

std::string CssColor(const Color& color) {
    switch (color.kind) {
        case Color::Kind::Default:
            return "";
        case Color::Kind::ButtonFace:
            return "ButtonFace";
        case Color::Kind::Rgb:
            return "rgb(" + std::to_string(color.r) + "," + std::to_string(color.g) + "," +
                   std::to_string(color.b) + ")";
    }
    return "";
}

}  // namespace ui::web::elements

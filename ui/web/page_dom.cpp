#include "ui/web/page_dom.h"

namespace ui::web::dom {

using emscripten::val;

val Get(const std::string& id) {
    return val::global("document").call<val>("getElementById", id);
}

val Make(const char* tag) {
    return val::global("document").call<val>("createElement", std::string(tag));
}

void Attribute(val element, const char* name, const std::string& value) {
    element.call<void>("setAttribute", std::string(name), value);
}

void AddClass(val element, const char* name) {
    element["classList"].call<void>("add", std::string(name));
}

void AddOption(val select, const std::string& text) {
    val option = Make("option");
    option.set("textContent", text);
    select.call<void>("append", option);
}

void Place(val element, const Rect& place) {
    val style = element["style"];
    style.set("left", std::to_string(place.x) + "px");
    style.set("top", std::to_string(place.y) + "px");
    style.set("width", std::to_string(place.w) + "px");
    style.set("height", std::to_string(place.h) + "px");
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

std::string Id(int gadget) {
    return "g" + std::to_string(gadget);
}

}  // namespace ui::web::dom

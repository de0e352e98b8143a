#include "app/about.h"

#include <string>

#include "app/about_texts.h"
#include "app/app_state.h"
#include "app/gadget_ids.h"

void HoverRule(AppState& app) {
    if (app.gadgets.PointerInside(gadget::kBanner)) {
        app.gadgets.SetCursor(ui::CursorShape::Hand);
        app.handCursorShown = true;
    } else if (app.handCursorShown) {
        app.handCursorShown = false;
        app.gadgets.SetCursor(ui::CursorShape::Arrow);
    }
}

void OpenWebLink(AppState& app) { app.gadgets.OpenUrl(about::kWebAddress); }

void OpenMailLink(AppState& app) {
    app.gadgets.OpenUrl(std::string("mailto:") + about::kMailAddress);
}

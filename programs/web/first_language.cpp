#include "programs/web/first_language.h"

#include <string>

#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "app/language.h"
#include "base/ascii.h"
#include "ui/web/web_gadgets.h"

using namespace gadget;

void ChooseFirstLanguage(AppState& app, const ui::web::WebGadgets& page) {
    std::string wanted = "english";
    for (const std::string& tag : page.PreferredLanguages()) {
        const std::string lower = base::FoldedAscii(tag);
        if (lower.rfind("ru", 0) == 0) {
            wanted = "russian";
            break;
        }
        if (lower.rfind("en", 0) == 0)
            break;
    }
    ui::Gadgets& g = app.gadgets;
    for (int i = 0; i < g.ItemCount(kLanguageCombo); ++i) {
        if (base::FoldedAscii(g.ItemText(kLanguageCombo, i)) == wanted &&
            g.State(kLanguageCombo) != i) {
            g.SetState(kLanguageCombo, i);
            LoadSelectedLanguage(app);
        }
    }
}

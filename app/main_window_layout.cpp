#include "app/main_window_layout.h"

#include <string>

#include "app/about_texts.h"
#include "app/colors.h"
#include "app/gadget_ids.h"
#include "app/ui_text_places.h"

using ui::GadgetKind;
using ui::GadgetLayout;

namespace {

GadgetLayout Make(int number, GadgetKind kind, int parent, ui::Rect place,
                  std::string caption = {}) {
    GadgetLayout g;
    g.number = number;
    g.kind = kind;
    g.parent = parent;
    g.place = place;
    g.caption = std::move(caption);
    return g;
}

GadgetLayout RightLabel(int number, int parent, ui::Rect place) {
    GadgetLayout g = Make(number, GadgetKind::Label, parent, place);
    g.alignRight = true;
    return g;
}

// `selected` -1: a combo whose items come later.
GadgetLayout Combo(int number, int parent, ui::Rect place, int selected,
                   std::vector<std::string> items = {}) {
    GadgetLayout g = Make(number, GadgetKind::ComboBox, parent, place);
    g.items = std::move(items);
    g.initialState = selected;
    return g;
}

GadgetLayout FilteredField(int number, int parent, ui::Rect place, int maxLength, bool allowPoint) {
    GadgetLayout g = Make(number, GadgetKind::TextField, parent, place);
    g.maxLength = maxLength;
    g.filterInput = true;
    g.filterAllowsPoint = allowPoint;
    return g;
}

void AddCalculatorPage(std::vector<GadgetLayout>& out) {
    using namespace gadget;
    const int p = kPage0Container;
    out.push_back(Make(kPage0Container, GadgetKind::Container, kPanel, {}));
    out.push_back(Make(kCalculatorCheck, GadgetKind::CheckBox, p, {10, 15, 110, 15}));
    out.push_back(RightLabel(kProfileLabel, p, {124, 16, 78, 15}));
    out.push_back(Combo(kProfileCombo, p, {206, 10, 170, 22}, -1));
    out.push_back(Make(kCalculatorFrame, GadgetKind::Frame, p, {5, 35, 370, 120}));
    out.push_back(Make(kTimeFrame, GadgetKind::Frame, p, {15, 50, 155, 95}));
    out.push_back(Make(kTimeUnitLabel, GadgetKind::Label, p, {24, 70, 140, 16}));
    out.push_back(Combo(kTimeUnitCombo, p, {25, 85, 135, 22}, 0));
    out.push_back(RightLabel(kTimeLabel, p, {25, 120, 50, 16}));
    out.push_back(FilteredField(kTimeField, p, {80, 115, 80, 20}, 18, true));
    out.push_back(Make(kFrequencyFrame, GadgetKind::Frame, p, {180, 50, 185, 95}));
    out.push_back(RightLabel(kFrequencyUnitLabel, p, {186, 70, 170, 16}));
    out.push_back(Combo(kFrequencyUnitCombo, p, {255, 85, 100, 22}, 0));
    out.push_back(RightLabel(kFrequencyLabel, p, {190, 120, 70, 16}));
    out.push_back(FilteredField(kFrequencyField, p, {265, 115, 90, 20}, 18, true));
    out.push_back(Make(kWatchdogCheck, GadgetKind::CheckBox, p, {10, 190, 220, 15}));
    out.push_back(Make(kDeclareCheck, GadgetKind::CheckBox, p, {10, 208, 220, 15}));
    out.push_back(Make(kCyclesLabel, GadgetKind::Label, p, {10, 170, 240, 16}));
    GadgetLayout cycles = FilteredField(kCyclesField, p, {250, 165, 125, 20}, 19, false);
    cycles.digitsOnly = true;
    cycles.textColor = colors::kCalculated;
    out.push_back(cycles);
    GadgetLayout calc = Make(kCalculateButton, GadgetKind::Button, p, {250, 190, 90, 25});
    calc.isDefault = true;
    out.push_back(calc);
    // The form row, then the output box down to the foot of the page.
    out.push_back(Combo(kFormCombo, p, {5, 225, 200, 22}, 0));
    out.push_back(RightLabel(kRoutineNameLabel, p, {208, 229, 52, 16}));
    GadgetLayout name = Make(kRoutineNameField, GadgetKind::TextField, p, {265, 226, 110, 20});
    name.maxLength = 64;
    out.push_back(name);
    GadgetLayout output = Make(kOutputBox, GadgetKind::OutputBox, p, {5, 252, 370, 193});
    output.fixedFont = true;
    out.push_back(output);
}

void AddEditorPage(std::vector<GadgetLayout>& out) {
    using namespace gadget;
    const int p = kPage1Container;
    out.push_back(Make(kPage1Container, GadgetKind::Container, kPanel, {}));
    out.push_back(Make(kProfileListLabel, GadgetKind::Label, p, {10, 4, 270, 16}));
    GadgetLayout list = Make(kProfileList, GadgetKind::ListBox, p, {10, 20, 280, 90});
    list.initialState = -1;
    out.push_back(list);
    out.push_back(Make(kNewButton, GadgetKind::Button, p, {296, 30, 80, 25}));
    out.push_back(Make(kEditButton, GadgetKind::Button, p, {296, 64, 80, 25}));
    out.push_back(Make(kDeleteButton, GadgetKind::Button, p, {296, 96, 80, 25}));
    GadgetLayout nameLabel = RightLabel(kProfileNameLabel, p, {2, 150, 114, 16});
    nameLabel.textColor = colors::kProfileName;
    out.push_back(nameLabel);
    GadgetLayout name = Make(kProfileNameField, GadgetKind::TextField, p, {120, 145, 98, 20});
    name.textColor = colors::kProfileName;
    out.push_back(name);
    out.push_back(RightLabel(kFamilyLabel, p, {220, 150, 56, 16}));
    // Classic syntax first, then the current Microchip assembler: TypePIC + 2 x Syntax.
    GadgetLayout family =
        Combo(kFamilyCombo, p, {280, 144, 98, 21}, 0,
              {"PIC10/12/16", "PIC 18", "PIC10/12/16 (pic-as)", "PIC 18 (pic-as)"});
    family.itemsMayOverflow = true;  // the list shows the pic-as names whole
    out.push_back(family);
    for (int n = 1; n <= 8; ++n) {
        const int y = 180 + 25 * (n - 1);
        out.push_back(RightLabel(kFirstRegisterLabel + n - 1, p, {2, y, 114, 16}));
        out.push_back(
            Make(kFirstRegisterField + n - 1, GadgetKind::TextField, p, {120, y - 6, 170, 21}));
        out.push_back(
            Combo(kFirstAccessCombo + n - 1, p, {300, y - 6, 70, 21}, 0, {"ACCESS", "BANKED"}));
    }
    out.push_back(RightLabel(kLabelNameLabel, p, {2, 383, 114, 16}));
    out.push_back(Make(kLabelField, GadgetKind::TextField, p, {120, 379, 170, 20}));
    out.push_back(Make(kOkButton, GadgetKind::Button, p, {30, 410, 90, 25}, "OK"));
    out.push_back(Make(kCancelButton, GadgetKind::Button, p, {200, 410, 90, 25}));
}

void AddAboutPage(std::vector<GadgetLayout>& out) {
    using namespace gadget;
    const int p = kPage2Container;
    out.push_back(Make(kPage2Container, GadgetKind::Container, kPanel, {}));
    GadgetLayout banner = Make(kBanner, GadgetKind::Image, p, {1, 10, 382, 68});
    banner.image = 4;
    banner.toolTip = about::kBannerToolTip;
    out.push_back(banner);
    GadgetLayout text = Make(kAboutText, GadgetKind::Label, p, {30, 150, 308, 130});
    text.sunken = true;
    text.textColor = colors::kAboutText;
    out.push_back(text);
    out.push_back(Make(kCreditLine, GadgetKind::Label, p, {30, 300, 220, 16}));
    GadgetLayout mail =
        Make(kMailLink, GadgetKind::Hyperlink, p, {250, 300, 110, 16}, about::kMailAddress);
    mail.textColor = colors::kMailLink;
    mail.hoverColor = colors::kMailLinkHover;
    out.push_back(mail);
}

}  // namespace

ui::WindowLayout MainWindowLayout() {
    using namespace gadget;
    ui::WindowLayout w;
    w.title = kWindowTitle;
    w.clientWidth = 392;
    w.clientHeight = 510;
    w.panel = kPanel;
    w.pageContainers = {kPage0Container, kPage1Container, kPage2Container};
    w.pageIcons = {1, 2, 3};
    GadgetLayout panel = Make(kPanel, GadgetKind::Panel, ui::kWindowParent, {2, 4, 388, 474});
    panel.items = {"Loopsmith"};  // the first page keeps the program's name in every language
    w.gadgets.push_back(panel);
    AddCalculatorPage(w.gadgets);
    AddEditorPage(w.gadgets);
    AddAboutPage(w.gadgets);
    w.gadgets.push_back(RightLabel(kLanguageLabel, ui::kWindowParent, {2, 486, 140, 16}));
    w.gadgets.push_back(Combo(kLanguageCombo, ui::kWindowParent, {150, 482, 150, 21}, -1));
    PlaceDefaultTexts(w);
    // Latin letters until a language is applied; the text table's "ОК" is Cyrillic.
    for (GadgetLayout& g : w.gadgets) {
        if (g.number == kOkButton)
            g.caption = "OK";
    }
    return w;
}

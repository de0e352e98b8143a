#include "app/event_loop.h"

#include "app/about.h"
#include "app/app_state.h"
#include "app/calculator_mode.h"
#include "app/colors.h"
#include "app/delay_page.h"
#include "app/gadget_ids.h"
#include "app/language.h"
#include "app/profile_editor_page.h"

using namespace gadget;

namespace {

void DispatchGadget(AppState& app, int number, int type) {
    ui::Gadgets& g = app.gadgets;
    switch (number) {
        case kCalculatorCheck:
            SetCalculatorMode(app, g.State(kCalculatorCheck) != 0);
            break;
        case kCalculateButton:
            CalculationRequest(app);
            break;
        case kTimeField:
        case kFrequencyField:
        case kCyclesField:
            if (type == ui::kEventTextChange)
                g.SetTextColor(number, colors::kNotCalculated);
            break;
        case kTimeUnitCombo:
            if (type == ui::kEventSelectionChange)
                g.Focus(kTimeField);
            break;
        case kFormCombo:
            if (type == ui::kEventSelectionChange) {
                ApplyDelayForm(app);
                if (g.State(kFormCombo) > 0 && g.Text(kRoutineNameField).empty())
                    g.Focus(kRoutineNameField);
            }
            break;
        case kFrequencyUnitCombo:
            if (type == ui::kEventSelectionChange)
                g.Focus(kFrequencyField);
            break;
        case kPanel:
            if (type == ui::kEventClick) {
                app.currentPage = g.State(kPanel);
                if (app.currentPage == kPageEditor)
                    EditorPageEntered(app);
            }
            break;
        case kProfileList:
            if (type == ui::kEventDoubleClick && g.State(kProfileList) >= 0)
                EditorEdit(app);
            break;
        case kNewButton:
            EditorNew(app);
            break;
        case kEditButton:
            EditorEdit(app);
            break;
        case kDeleteButton:
            EditorDelete(app);
            break;
        case kOkButton:
            EditorOk(app);
            break;
        case kCancelButton:
            EditorCancel(app);
            break;
        case kFamilyCombo:
            if (type == ui::kEventSelectionChange)
                EditorFamilyChanged(app);
            break;
        case kBanner:
            if (type == ui::kEventClick)
                OpenWebLink(app);
            break;
        case kMailLink:
            OpenMailLink(app);
            break;
        case kLanguageCombo:
            if (type == ui::kEventSelectionChange)
                LoadSelectedLanguage(app);
            break;
        case kProfileCombo:
            if (type == ui::kEventSelectionChange)
                app.linkSyntax.reset();  // a profile picked by hand speaks for itself
            break;
        default:
            break;
    }
}

bool Pressable(int gadget) {
    switch (gadget) {
        case kCalculateButton:
        case kNewButton:
        case kEditButton:
        case kDeleteButton:
        case kOkButton:
        case kCancelButton:
        case kBanner:
        case kMailLink:
            return true;
        default:
            return false;
    }
}

// The keys of a dialog. Enter presses the focused button or link, and elsewhere on page 0
// calculates; Space presses a focused link (a button takes it on its own); Escape in the open
// profile form cancels the edit. The live page of the panel decides, not the page last reported.
void DispatchKey(AppState& app, int key) {
    ui::Gadgets& g = app.gadgets;
    const int focused = g.FocusedGadget();
    const int page = g.State(kPanel);
    const bool link = focused == kBanner || focused == kMailLink;
    if ((key == ui::kKeyEnter && Pressable(focused)) || (key == ui::kKeySpace && link)) {
        g.PostClick(focused);
    } else if (key == ui::kKeyEnter && page == kPageCalculator) {
        g.PostClick(kCalculateButton);
    } else if (key == ui::kKeyEscape && page == kPageEditor && app.editorMode != EditorMode::Idle) {
        g.PostClick(kCancelButton);
    }
}

}  // namespace

bool Dispatch(AppState& app, const ui::Event& event) {
    switch (event.kind) {
        case ui::Event::Kind::Gadget:
            DispatchGadget(app, event.gadget, event.type);
            return true;
        case ui::Event::Kind::KeyDown:
            DispatchKey(app, event.key);
            return true;
        case ui::Event::Kind::MouseMove:
            if (app.currentPage == kPageAbout)
                HoverRule(app);
            return true;
        case ui::Event::Kind::Close:
            return false;
    }
    return true;
}

void RunEventLoop(AppState& app) {
    while (Dispatch(app, app.gadgets.WaitEvent())) {
    }
}

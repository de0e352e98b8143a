#include "app/calculator_mode.h"

#include "app/app_state.h"
#include "app/colors.h"
#include "app/gadget_ids.h"

void SetCalculatorMode(AppState& app, bool on) {
    ui::Gadgets& g = app.gadgets;
    for (int n = gadget::kCalculatorFrame; n <= gadget::kFrequencyField; ++n) g.SetEnabled(n, on);
    g.SetReadOnly(gadget::kCyclesField, on);
    if (on) {
        g.SetBackColor(gadget::kCyclesField, ui::Color::ButtonFace());
        g.SetTextColor(gadget::kCyclesField, ui::Color::Default());
    } else {
        g.SetBackColor(gadget::kCyclesField, ui::Color::Default());
        g.SetTextColor(gadget::kCyclesField, colors::kCalculated);
    }
}

// Making room for wide captions on the real window's layout: columns, rows, frames, the panel
// and the window grow together, within the limit.
#include <gtest/gtest.h>

#include "app/gadget_ids.h"
#include "app/main_window_layout.h"
#include "ui/caption_room.h"

using namespace gadget;

namespace {

const ui::Rect& Place(const ui::WindowLayout& w, int number) {
    for (const ui::GadgetLayout& g : w.gadgets) {
        if (g.number == number)
            return g.place;
    }
    static const ui::Rect none;
    return none;
}

TEST(CaptionRoom, WidensTheColumnMovesTheRowAndGrowsFramesPanelAndWindow) {
    const ui::WindowLayout before = MainWindowLayout();
    // The time-unit label 40 px wider, one register label 30 px wider.
    const ui::WindowLayout after =
        ui::MakeRoom(before, {{kTimeUnitLabel, 180}, {kFirstRegisterLabel + 2, 144}}, 1000);
    struct Case {
        int gadget, dx, dw;
    } cases[] = {
        {kTimeUnitLabel, 0, 40},  {kTimeFrame, 0, 40},          {kCalculatorFrame, 0, 40},
        {kFrequencyFrame, 40, 0}, {kFrequencyField, 40, 0},     {kTimeField, 0, 0},
        {kProfileCombo, 0, 0},    {kOutputBox, 0, 0},           {kFirstRegisterLabel, 0, 30},
        {kLabelNameLabel, 0, 30}, {kFirstRegisterField, 30, 0}, {kFirstAccessCombo + 7, 30, 0},
        {kPanel, 0, 33},          {kLanguageCombo, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Place(after, c.gadget).x - Place(before, c.gadget).x, c.dx) << c.gadget;
        EXPECT_EQ(Place(after, c.gadget).w - Place(before, c.gadget).w, c.dw) << c.gadget;
    }
    EXPECT_EQ(after.clientWidth,
              before.clientWidth + 33);  // pages hold 382 px, frame 3 ends at 415
    EXPECT_EQ(after.clientHeight, before.clientHeight);
}

TEST(CaptionRoom, KeepsWhatFitsAndStopsAtTheLimit) {
    const ui::WindowLayout before = MainWindowLayout();
    EXPECT_EQ(ui::MakeRoom(before, {{kCalculateButton, 90}, {kPanel, 300}}, 1000).clientWidth,
              before.clientWidth);
    const ui::WindowLayout titles = ui::MakeRoom(before, {{kPanel, 900}}, 600);
    EXPECT_EQ(titles.clientWidth, 600);
    EXPECT_EQ(Place(titles, kPanel).w, Place(before, kPanel).w + 600 - before.clientWidth);
}

}  // namespace

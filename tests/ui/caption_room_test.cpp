// Room for wide captions on the real window's layout: a column, its rows, the frames around,
// the panel and the window grow together, within the limit.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/gadget_ids.h"
#include "app/main_window_layout.h"
#include "ui/caption_room.h"

using namespace gadget;

TEST(CaptionRoom, WidensTheColumnMovesItsRowsAndGrowsFramesPanelAndWindow) {
    const ui::WindowLayout before = MainWindowLayout();
    // The time-unit label 40 px wider, the third register label 30 px wider.
    const ui::WindowLayout after =
        ui::MakeRoom(before, {{kTimeUnitLabel, 180}, {kFirstRegisterLabel + 2, 144}}, 1000);
    const int cases[][3] = {
        {kTimeUnitLabel, 0, 40},
        {kTimeFrame, 0, 40},
        {kCalculatorFrame, 0, 40},
        {kFrequencyFrame, 40, 0},
        {kFrequencyField, 40, 0},
        {kTimeField, 0, 0},
        {kOutputBox, 0, 0},
        {kFirstRegisterLabel, 0, 30},
        {kLabelNameLabel, 0, 30},
        {kFirstRegisterField, 30, 0},
        {kFirstAccessCombo + 7, 30, 0},
        {kPanel, 0, 33},  // the pages hold 382 px; frame 3 ends at 415
    };
    auto place = [](const ui::WindowLayout& w, int number) {
        return std::find_if(w.gadgets.begin(), w.gadgets.end(),
                            [number](const auto& g) { return g.number == number; })
            ->place;
    };
    for (const auto& [n, dx, dw] : cases) {
        EXPECT_EQ(place(after, n).x - place(before, n).x, dx) << n;
        EXPECT_EQ(place(after, n).w - place(before, n).w, dw) << n;
    }
    EXPECT_EQ(after.clientWidth, before.clientWidth + 33);
    EXPECT_EQ(ui::MakeRoom(before, {{kPanel, 900}}, 600).clientWidth, 600);
}

TEST(CaptionRoom, LabelsWrapWhereTheWindowWouldPassItsLimit) {
    const ui::WindowLayout before = MainWindowLayout();
    ui::Wrapping twoLines{200, [](int w) { return w >= 480 ? 16 : 32; }};
    const ui::WindowLayout after =
        ui::MakeRoom(before, {{kCyclesLabel, 480}}, 500, {{kCyclesLabel, twoLines}});
    auto place = [&after](int number) {
        return std::find_if(after.gadgets.begin(), after.gadgets.end(),
                            [number](const auto& g) { return g.number == number; })
            ->place;
    };
    EXPECT_EQ(after.clientWidth, 500);
    EXPECT_EQ(place(kCyclesField).x + place(kCyclesField).w, 500 - 10);  // pages: 382 of 392
    EXPECT_EQ(place(kCyclesLabel).h, 32);
    EXPECT_EQ(place(kCyclesField).y, 165);  // on the row above the label's middle
    EXPECT_EQ(place(kCalculateButton).y, 190 + 16);
    EXPECT_EQ(place(kOutputBox).y + place(kOutputBox).h, 252 + 193);  // it gives way
    EXPECT_EQ(after.clientHeight, 510);
}

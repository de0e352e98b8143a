#include "ui/layout_check.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using ui::GadgetKind;

// A window with a label, a panel of two pages and a button on the second page.
ui::WindowLayout TwoPages() {
    ui::WindowLayout w;
    w.panel = 2;
    w.pageContainers = {3, 4};
    const std::pair<GadgetKind, int> kinds[] = {{GadgetKind::Label, ui::kWindowParent},
                                                {GadgetKind::Panel, ui::kWindowParent},
                                                {GadgetKind::Container, 2},
                                                {GadgetKind::Container, 2},
                                                {GadgetKind::Button, 4}};
    for (const auto& [kind, parent] : kinds) {
        w.gadgets.emplace_back();
        w.gadgets.back().number = static_cast<int>(w.gadgets.size());
        w.gadgets.back().kind = kind;
        w.gadgets.back().parent = parent;
    }
    w.gadgets[1].items = {"One", "Two"};
    return w;
}

TEST(LayoutCheck, RefusesWhatNoFaceCouldBuild) {
    EXPECT_TRUE(ui::IsSoundLayout(TwoPages()));
    const std::pair<const char*, std::function<void(ui::WindowLayout&)>> faults[] = {
        {"a number twice", [](auto& w) { w.gadgets[4].number = 1; }},
        {"a parent described later", [](auto& w) { w.gadgets[0].parent = 5; }},
        {"a second panel", [](auto& w) { w.gadgets[0].kind = GadgetKind::Panel; }},
        {"the panel on a page", [](auto& w) { w.gadgets[1].parent = 1; }},
        {"no panel", [](auto& w) { w.gadgets.erase(w.gadgets.begin() + 1, w.gadgets.end()); }},
        {"pages out of order",
         [](auto& w) {
             w.pageContainers = {4, 3};
         }},
        {"more pages than titles", [](auto& w) { w.gadgets[1].items.pop_back(); }},
        {"a page off the panel", [](auto& w) { w.gadgets[3].parent = ui::kWindowParent; }},
    };
    for (const auto& [fault, spoil] : faults) {
        ui::WindowLayout w = TwoPages();
        spoil(w);
        EXPECT_FALSE(ui::IsSoundLayout(w)) << fault;
    }
    EXPECT_EQ(ui::PageOf(TwoPages(), TwoPages().gadgets[4]), 1);
    EXPECT_EQ(ui::PageOf(TwoPages(), TwoPages().gadgets[0]), -1);
}

}  // namespace

// Real widgets, offscreen: one QApplication for the whole test program and a fresh main
// window per test.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>

#include <memory>
#include <vector>

#include "app/main_window_layout.h"
#include "ui/qt/app_look.h"
#include "ui/qt/qt_gadgets.h"

inline void EnsureApplication() {
    if (QApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "qt_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* application = new QApplication(argc, argv);  // lives to the end
    (void)application;
    ui::qt::PrepareApplication();
}

class QtWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureApplication();
        gadgets = std::make_unique<ui::qt::QtGadgets>(MainWindowLayout());
        ASSERT_TRUE(gadgets->Built());
    }

    QWidget* W(int gadget) const { return gadgets->Widget(gadget); }

    // What the user's actions queued so far, without waiting for more.
    std::vector<ui::Event> TakeEvents() {
        std::vector<ui::Event> out;
        while (gadgets->HasPendingEvent())
            out.push_back(gadgets->WaitEvent());
        return out;
    }

    std::unique_ptr<ui::qt::QtGadgets> gadgets;
};

// A whole program over the in-memory gadgets, in a fresh temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "app/app_state.h"
#include "app/event_loop.h"
#include "app/main_window_layout.h"
#include "helpers/memory_gadgets.h"

class AppFixture : public ::testing::Test {
  protected:
    AppFixture() : gadgets(MainWindowLayout()), app(PortableApp(gadgets, MakeFolder())) {}
    ~AppFixture() override {
        std::error_code ec;
        std::filesystem::remove_all(app.folder, ec);
    }

    // Dispatches every queued event, including clicks that handlers post.
    void Pump() {
        while (gadgets.HasPendingEvent())
            Dispatch(app, gadgets.WaitEvent());
    }

    static AppState PortableApp(ui::Gadgets& g, const std::filesystem::path& folder) {
        return AppState(g, folder, PortableLocations(folder));
    }
    static std::filesystem::path MakeFolder() {
        std::random_device rd;
        auto dir = std::filesystem::temp_directory_path() /
                   ("loopsmith-app-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(dir);
        return dir;
    }

    ui::MemoryGadgets gadgets;
    AppState app;
};

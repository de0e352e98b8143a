// A program-wide state over in-memory gadgets whose folder is a fresh temporary folder.
#pragma once

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/main_window_layout.h"
#include "helpers/memory_gadgets.h"
#include "helpers/temp_folder.h"

namespace testing_files {

struct AppInFolder : ::testing::Test {
    TempFolder dir;
    ui::MemoryGadgets gadgets{MainWindowLayout()};
    AppState app{gadgets, dir.path(), PortableLocations(dir.path())};
    std::filesystem::path ini = dir / "Loopsmith.ini";

    std::vector<std::string> Items(int gadget) const {
        std::vector<std::string> items;
        for (int i = 0; i < gadgets.ItemCount(gadget); ++i)
            items.push_back(gadgets.ItemText(gadget, i));
        return items;
    }
    void MakeLanguage(const std::string& fileName, const std::string& bytes) {
        std::filesystem::create_directories(app.files.languageFolders.front());
        WriteBytes(app.files.languageFolders.front() / fileName, bytes);
    }
};

}  // namespace testing_files

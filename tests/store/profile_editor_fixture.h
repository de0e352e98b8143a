// The program over the in-memory gadgets, in a fresh temporary folder, with the editor page
// shown and a given list of profiles.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/event_loop.h"
#include "app/gadget_ids.h"
#include "app/main_window_spec.h"
#include "store/profile_editor.h"
#include "store/profile_gadget.h"
#include "ui/memory_gadgets.h"

class EditorFixture : public ::testing::Test {
  protected:
    EditorFixture() : g(MainWindowSpec()), app(g, FreshFolder()) {}
    ~EditorFixture() override {
        std::error_code ec;
        std::filesystem::remove_all(app.folder, ec);
    }

    static std::filesystem::path FreshFolder() {
        std::random_device rd;
        auto dir = std::filesystem::temp_directory_path() /
                   ("loopsmith-editor-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(dir);
        return dir;
    }

    // Profiles named as given, page 1 entered with `selected` chosen in the profile combo.
    void Start(const std::vector<std::string>& names, int selected) {
        for (const std::string& n : names)
            app.profiles.push_back(MakeProfile(n, "$", 0));
        FillProfileGadget(g, app.profiles, gadget::kProfileCombo, selected);
        FillProfileGadget(g, app.profiles, gadget::kProfileList, -1);
        LockEditor(app, true);
        g.SwitchPage(gadget::kPageEditor);
        Pump();
    }

    void Pump() {
        while (g.HasPendingEvent())
            Dispatch(app, g.WaitEvent());
    }

    // Types into every form field; an empty text leaves that field empty.
    void TypeForm(const std::string& name, const std::string& regs = "r",
                  const std::string& label = "L") {
        g.Type(gadget::kProfileNameField, name);
        for (int n = gadget::kFirstRegisterField; n < gadget::kLabelField; ++n)
            g.Type(n, regs);
        g.Type(gadget::kLabelField, label);
        Pump();
    }

    void Do(int button) {
        g.Click(button);
        Pump();
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> out;
        for (const Profile& p : app.profiles)
            out.push_back(p.Name);
        return out;
    }

    // The names and selection each profile gadget shows, which must agree with the list.
    void ExpectGadgetsShow(const std::vector<std::string>& names, int selected) {
        EXPECT_EQ(Names(), names);
        for (int gadget : {gadget::kProfileList, gadget::kProfileCombo}) {
            std::vector<std::string> items;
            for (int i = 0; i < g.ItemCount(gadget); ++i)
                items.push_back(g.ItemText(gadget, i));
            EXPECT_EQ(items, names) << "gadget " << gadget;
            EXPECT_EQ(g.State(gadget), selected) << "gadget " << gadget;
        }
    }

    std::vector<std::string> MessageTextsShown() const {
        std::vector<std::string> out;
        for (const ui::ShownMessage& m : g.Messages())
            out.push_back(m.text);
        return out;
    }

    ui::MemoryGadgets g;
    AppState app;
};

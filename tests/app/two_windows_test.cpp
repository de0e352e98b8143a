// Two windows on one settings file: neither loses the other's changes, and each keeps the
// profile it shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "app/main_window_layout.h"
#include "app/profile_editor_form.h"
#include "app/profile_editor_page.h"
#include "app/settings.h"
#include "helpers/memory_gadgets.h"
#include "helpers/temp_folder.h"
#include "store/profile_store.h"

namespace {

using namespace gadget;
using testing_files::TempFolder;
const std::string kFirst = "Default PIC10, PIC12, PIC16";

// The editor driven as a user drives it: select by name, then New, Edit or Delete.
struct Window {
    explicit Window(const std::filesystem::path& folder)
        : app(g, folder, PortableLocations(folder)) {
        LoadSettings(app);
    }
    void Edit(const std::string& name, const std::string& label, bool add = false,
              const std::string& newName = "") {
        g.SetState(kProfileList, FindProfile(app.profiles, add ? kFirst : name));
        add ? EditorNew(app) : EditorEdit(app);
        Profile p = add ? MakeProfile(name, label, 0) : ReadProfileForm(g);
        p.Label = label;
        if (!newName.empty())
            p.Name = newName;
        ShowProfileInForm(g, p);
        EditorOk(app);
    }
    void Delete(const std::string& name) {
        g.SetState(kProfileList, FindProfile(app.profiles, name));
        g.AnswerNextQuestions({ui::MessageAnswer::Yes});
        EditorDelete(app);
    }
    ui::MemoryGadgets g{MainWindowLayout()};
    AppState app;
};

#ifndef _WIN32
// Window `who` in a process of its own: 100 rounds of add, change and delete, taking turns
// with the other (`turn` in, `next` out); then it shows `shown` and closes on `go`. The exit
// code counts its messages other than the delete questions.
pid_t StartWindow(const std::filesystem::path& folder, char who, const std::string& shown, int turn,
                  int next, int done, int go) {
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    Window w(folder);
    const auto name = [&](int i) { return std::string(1, who) + "-" + std::to_string(i); };
    char byte = who;
    bool ok = true;
    for (int i = 0; i < 100 && ok; ++i) {
        ok = ::read(turn, &byte, 1) == 1;
        w.Edit(name(i), "L", true);
        if (i >= 1)
            w.Edit(name(i - 1), "C");
        if (i >= 2 && i % 2 == 0)
            w.Delete(name(i - 2));
        ok = ok && ::write(next, &byte, 1) == 1;
    }
    ok = ok && ::write(done, &byte, 1) == 1 && ::read(go, &byte, 1) == 1;
    w.g.SetState(kProfileCombo, FindProfile(w.app.profiles, shown));
    SaveSettings(w.app);
    const auto& m = w.g.Messages();
    ::_exit(ok ? static_cast<int>(std::count_if(
                     m.begin(), m.end(),
                     [](const auto& s) { return s.icon != ui::MessageIcon::Question; }))
               : 101);
}

TEST(TwoWindows, EveryChangeOfBothReachesTheFileAndEachKeepsTheProfileItShows) {
    TempFolder dir;
    const std::filesystem::path ini = dir / "Loopsmith.ini";
    int toA[2], toB[2], done[2], goA[2], goB[2];
    ASSERT_EQ(::pipe(toA) | ::pipe(toB) | ::pipe(done) | ::pipe(goA) | ::pipe(goB), 0);
    const pid_t a = StartWindow(dir.path(), 'A', "Default PIC18", toA[0], toB[1], done[1], goA[0]);
    const pid_t b = StartWindow(dir.path(), 'B', "B-99", toB[0], toA[1], done[1], goB[0]);
    char bytes[2] = {'s', 's'};
    ASSERT_EQ(::write(toA[1], bytes, 1), 1);
    ASSERT_EQ(::read(done[0], bytes, 1) + ::read(done[0], bytes + 1, 1), 2);

    std::vector<std::string> names, expected = {kFirst, "Default PIC18"};
    const ProfileList saved = ReadStoredSettings(ini).profiles;
    for (const Profile& p : saved)
        names.push_back(p.Name + (p.Name.starts_with("Default") ? "" : "/" + p.Label));
    for (const char* who : {"A-", "B-"}) {
        for (int j = 1; j <= 99; j += 2)
            expected.push_back(who + std::to_string(j) + (j == 99 ? "/L" : "/C"));
        expected.push_back(who + std::string("98/C"));
    }
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);

    // They close in turn, B with a list older than the file: each stores the position of its
    // profile in the file as it is then.
    for (const auto& [pid, go, shown] :
         {std::tuple{a, goA[1], "Default PIC18"}, std::tuple{b, goB[1], "B-99"}}) {
        int status = 0;
        ASSERT_EQ(::write(go, "g", 1), 1);
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_EQ(WEXITSTATUS(status), 0) << "messages or a broken pipe in " << shown;
        EXPECT_EQ(ReadStoredSettings(ini).settings->NumberProf, FindProfile(saved, shown));
    }
    for (int* p : {toA, toB, done, goA, goB}) {
        ::close(p[0]);
        ::close(p[1]);
    }
}
#endif

// Both windows change one profile: the later save wins, keeps the other's new profile and
// says so; a merge without a collision is silent. Two profiles added, or renamed, under one
// name are both kept, the later under a free name.
TEST(TwoWindows, ACollisionKeepsTheLaterChangeAndSaysSo) {
    TempFolder dir;
    Window a(dir.path()), b(dir.path());
    a.Edit(kFirst, "L", false, "X");
    b.Edit("Default PIC18", "M", false, "x");
    const ProfileList renamed = ReadStoredSettings(dir / "Loopsmith.ini").profiles;
    ASSERT_EQ(renamed.size(), 2u);
    EXPECT_EQ(renamed[0].Name + renamed[0].Label + renamed[1].Name + renamed[1].Label, "XLx (2)M");
    ASSERT_EQ(b.g.Messages().size(), 1u);
    EXPECT_EQ(b.g.Messages()[0].text, b.app.messages[Msg::Profile_Renamed] + "\"x (2)\"");
    a.Edit("Motor", "L", true);
    b.Edit("Motor", "L", true);
    ASSERT_EQ(b.g.Messages().size(), 2u);
    EXPECT_EQ(b.g.Messages()[1].text, b.app.messages[Msg::Profile_Renamed] + "\"Motor (2)\"");
    b.g.ClearMessages();
    a.Edit("Pump", "L", true);
    a.Edit("Motor", "A");
    b.Edit("Motor", "B");
    EXPECT_TRUE(a.g.Messages().empty());
    EXPECT_EQ(b.g.Messages().size(), 1u);
    const ProfileList onDisk = ReadStoredSettings(dir / "Loopsmith.ini").profiles;
    EXPECT_EQ(onDisk, b.app.profiles);
    ASSERT_EQ(onDisk.size(), 5u);
    EXPECT_EQ(onDisk[FindProfile(onDisk, "Motor")].Label, "B");
}

}  // namespace

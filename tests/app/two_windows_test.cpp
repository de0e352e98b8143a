// Two windows on one settings file: neither loses the other's changes, and each keeps the
// profile it shows.
#include <gtest/gtest.h>

#include <algorithm>
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
#include "helpers/temp_folder.h"
#include "store/key_value_file.h"
#include "store/profile_store.h"
#include "ui/memory_gadgets.h"

namespace {

using namespace gadget;
using testing_files::TempFolder;

struct Window {
    explicit Window(const std::filesystem::path& folder) : app(g, folder) { LoadSettings(app); }
    void Select(const std::string& name) {
        g.SetState(kProfileList, FindProfile(app.profiles, name));
    }
    void Add(const std::string& name, const std::string& after) {
        Select(after);
        EditorNew(app);
        ShowProfileInForm(g, MakeProfile(name, "L", 0));
        EditorOk(app);
    }
    void Relabel(const std::string& name, const std::string& label) {
        Select(name);
        EditorEdit(app);
        Profile p = ReadProfileForm(g);
        p.Label = label;
        ShowProfileInForm(g, p);
        EditorOk(app);
    }
    void Delete(const std::string& name) {
        Select(name);
        g.AnswerNextQuestions({ui::MessageAnswer::Yes});
        EditorDelete(app);
    }
    void Show(const std::string& name) {
        g.SetState(kProfileCombo, FindProfile(app.profiles, name));
    }

    ui::MemoryGadgets g{MainWindowLayout()};
    AppState app;
};

const std::string kFirst = "Default PIC10, PIC12, PIC16";
const std::string kSecond = "Default PIC18";

#ifndef _WIN32
int StoredNumberProf(const std::filesystem::path& ini) {
    return ReadSettingsFile(ini).value_or(SettingsValues{}).NumberProf;
}

// Window `who` in a process of its own: 100 rounds of add, change and delete, taking turns
// with the other window (`turn` in, `next` out); then it waits for `go` to close. Its exit
// code counts the messages it showed other than the delete questions.
pid_t StartWindow(const std::filesystem::path& folder, char who, int turn, int next, int done,
                  int go) {
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    Window w(folder);
    const auto name = [&](int i) { return std::string(1, who) + "-" + std::to_string(i); };
    char byte = who;
    bool ok = true;
    for (int i = 0; i < 100 && ok; ++i) {
        ok = ::read(turn, &byte, 1) == 1;
        w.Add(name(i), kFirst);
        if (i >= 1)
            w.Relabel(name(i - 1), "C");
        if (i >= 2 && i % 2 == 0)
            w.Delete(name(i - 2));
        ok = ok && ::write(next, &byte, 1) == 1;
    }
    ok = ok && ::write(done, &byte, 1) == 1 && ::read(go, &byte, 1) == 1;
    w.Show(who == 'A' ? kSecond : name(99));
    SaveSettings(w.app);
    const auto& shown = w.g.Messages();
    const auto spoken = std::count_if(shown.begin(), shown.end(), [](const auto& m) {
        return m.icon != ui::MessageIcon::Question;
    });
    ::_exit(ok ? static_cast<int>(std::min<long>(spoken, 100)) : 101);
}

TEST(TwoWindows, EveryChangeOfBothReachesTheFileAndEachKeepsTheProfileItShows) {
    TempFolder dir;
    const std::filesystem::path ini = dir / "Loopsmith.ini";
    int toA[2], toB[2], done[2], goA[2], goB[2];
    ASSERT_EQ(::pipe(toA) | ::pipe(toB) | ::pipe(done) | ::pipe(goA) | ::pipe(goB), 0);
    const pid_t a = StartWindow(dir.path(), 'A', toA[0], toB[1], done[1], goA[0]);
    const pid_t b = StartWindow(dir.path(), 'B', toB[0], toA[1], done[1], goB[0]);
    char byte[2] = {'s', 's'};
    ASSERT_EQ(::write(toA[1], byte, 1), 1);
    ASSERT_EQ(::read(done[0], byte, 1) + ::read(done[0], byte + 1, 1), 2);

    const ProfileList saved = LoadProfileListFromFile(ini);
    std::vector<std::string> names;
    for (const Profile& p : saved)
        names.push_back(p.Name + (p.Label == "L" || p.Label == "C" ? "/" + p.Label : ""));
    std::vector<std::string> expected = {kFirst, kSecond};
    for (const char* who : {"A-", "B-"}) {
        for (int j = 1; j <= 99; j += 2)
            expected.push_back(who + std::to_string(j) + (j == 99 ? "/L" : "/C"));
        expected.push_back(who + std::string("98/C"));
    }
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);

    // Each closes in turn; the position stored is that of its profile in the file then.
    int status = 0;
    ASSERT_EQ(::write(goA[1], "g", 1), 1);
    ASSERT_EQ(::waitpid(a, &status, 0), a);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "messages or a broken pipe in window A";
    EXPECT_EQ(StoredNumberProf(ini), FindProfile(saved, kSecond));
    ASSERT_EQ(::write(goB[1], "g", 1), 1);
    ASSERT_EQ(::waitpid(b, &status, 0), b);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "messages or a broken pipe in window B";
    EXPECT_EQ(StoredNumberProf(ini), FindProfile(saved, "B-99"));
    for (int* p : {toA, toB, done, goA, goB}) {
        ::close(p[0]);
        ::close(p[1]);
    }
}
#endif

// Both windows change one profile: the later save wins, keeps the other's new profile and
// says so; a merge without a collision is silent.
TEST(TwoWindows, ACollisionKeepsTheLaterChangeAndSaysSo) {
    TempFolder dir;
    Window a(dir.path()), b(dir.path());
    a.Add("Motor", kFirst);
    b.Add("Motor", kSecond);
    ASSERT_EQ(b.g.Messages().size(), 1u);
    EXPECT_EQ(b.g.Messages()[0].text, b.app.messages[Msg::Profiles_Merged]);
    a.Add("Pump", kFirst);
    a.Relabel("Motor", "A");
    b.Relabel("Motor", "B");
    EXPECT_TRUE(a.g.Messages().empty());
    EXPECT_EQ(b.g.Messages().size(), 2u);
    const ProfileList onDisk = LoadProfileListFromFile(dir / "Loopsmith.ini");
    EXPECT_EQ(onDisk, b.app.profiles);
    ASSERT_EQ(onDisk.size(), 4u);
    EXPECT_EQ(onDisk[FindProfile(onDisk, "Motor")].Label, "B");
    EXPECT_EQ(onDisk[FindProfile(onDisk, "Pump")].Label, "L");
}

}  // namespace

// The built program on a real X display (Xvfb), closed as a window manager closes it: a
// WM_DELETE_WINDOW message, on settings files at the limits. It must end and store its settings.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "helpers/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

pid_t StartProcess(const std::vector<std::string>& argv, const std::string& display) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("DISPLAY", display.c_str(), 1);
        ::unsetenv("QT_QPA_PLATFORM");
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    return pid;
}

xcb_atom_t InternAtom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = r ? r->atom : 0;
    std::free(r);
    return atom;
}

// The shown top-level window whose title starts with "Loopsmith - ", or 0.
xcb_window_t ShownLoopsmithWindow(xcb_connection_t* c) {
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr);
    xcb_window_t found = 0;
    const xcb_window_t* children = tree ? xcb_query_tree_children(tree) : nullptr;
    for (int i = 0; tree && i < xcb_query_tree_children_length(tree) && !found; ++i) {
        xcb_get_property_reply_t* name = xcb_get_property_reply(
            c, xcb_get_property(c, 0, children[i], XCB_ATOM_WM_NAME, XCB_ATOM_ANY, 0, 64), nullptr);
        xcb_get_window_attributes_reply_t* attributes =
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, children[i]), nullptr);
        const std::string title =
            name ? std::string(static_cast<char*>(xcb_get_property_value(name)),
                               xcb_get_property_value_length(name))
                 : "";
        if (title.starts_with("Loopsmith - ") && attributes &&
            attributes->map_state == XCB_MAP_STATE_VIEWABLE)
            found = children[i];
        std::free(name);
        std::free(attributes);
    }
    std::free(tree);
    return found;
}

// A profile group of 19 or 20 lines.
std::string ProfileGroups(int count, bool withNote) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "[P" + std::to_string(i) + "]\r\n";
        for (int n = 1; n <= 8; ++n)
            text += "Reg" + std::to_string(n) + " = r\r\nRegType" + std::to_string(n) + " = 0\r\n";
        text += std::string("Label = L\r\nTypePIC = 0\r\n") + (withNote ? "Note = n\r\n" : "");
    }
    return text;
}

TEST(CloseRequest, EndsTheProgramAndStoresTheSettingsAtTheLimits) {
    const fs::path program = fs::path(LOOPSMITH_BIN_DIR) / "loopsmith";
    testing_files::TempFolder dir;
    int number = 120;
    while (fs::exists("/tmp/.X11-unix/X" + std::to_string(number)))
        ++number;
    const std::string display = ":" + std::to_string(number);
    const pid_t server =
        StartProcess({"Xvfb", display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, "");
    for (int i = 0; i < 100 && !fs::exists("/tmp/.X11-unix/X" + std::to_string(number)); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    xcb_connection_t* c = xcb_connect(display.c_str(), nullptr);
    ASSERT_FALSE(xcb_connection_has_error(c)) << "no Xvfb at " << display;
    fs::copy_file(program, dir / "loopsmith");
    fs::copy(fs::path(LOOPSMITH_BIN_DIR) / "Language", dir / "Language");

    // Without the settings group, which the close adds: the most groups, then also the most lines.
    for (const std::string& file :
         {ProfileGroups(30000, false), ProfileGroups(30000, true), ProfileGroups(29999, false)}) {
        testing_files::WriteBytes(dir / "Loopsmith.ini", file);
        const pid_t pid = StartProcess({(dir / "loopsmith").string()}, display);
        xcb_window_t window = 0;
        for (auto end = Clock::now() + std::chrono::seconds(60);
             !(window = ShownLoopsmithWindow(c)) && Clock::now() < end;)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ASSERT_NE(window, 0u) << "the window did not open";
        xcb_client_message_event_t close{};
        close.response_type = XCB_CLIENT_MESSAGE;
        close.format = 32;
        close.window = window;
        close.type = InternAtom(c, "WM_PROTOCOLS");
        close.data.data32[0] = InternAtom(c, "WM_DELETE_WINDOW");
        xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&close));
        std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));  // delivered
        int status = -1;
        for (auto end = Clock::now() + std::chrono::seconds(30);
             ::waitpid(pid, &status, WNOHANG) == 0 && Clock::now() < end;)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (status == -1) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            ADD_FAILURE() << "still open 30 s after the close request";
            continue;
        }
        EXPECT_EQ(WEXITSTATUS(status), 0);
        const std::string saved = testing_files::ReadBytes(dir / "Loopsmith.ini");
        EXPECT_TRUE(saved.starts_with("\xEF\xBB\xBF\r\n" + file));
        EXPECT_NE(saved.find("\r\n[Window]\r\nCalcState = 1\r\nTime = 0\r\n", file.size()),
                  std::string::npos);
    }
    xcb_disconnect(c);
    ::kill(server, SIGTERM);
    ::waitpid(server, nullptr, 0);
}

}  // namespace

// The built program on Xvfb, closed as a window manager closes it (WM_DELETE_WINDOW), on
// settings files at the limits without [Window]: it ends and adds its settings group.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <memory>
#include <thread>

#include "helpers/temp_folder.h"

namespace {

pid_t Spawn(std::vector<std::string> argv, const std::string& display) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setenv("DISPLAY", display.c_str(), 1);
        ::unsetenv("QT_QPA_PLATFORM");
        std::vector<char*> args;
        for (std::string& a : argv)
            args.push_back(a.data());
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    return pid;
}

template <class Reply>
Reply Take(Reply* reply) {
    Reply value = reply ? *reply : Reply{};
    std::free(reply);
    return value;
}

// The shown window titled "Loopsmith - ...", or 0.
xcb_window_t LoopsmithWindow(xcb_connection_t* c) {
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(
        c, xcb_query_tree(c, xcb_setup_roots_iterator(xcb_get_setup(c)).data->root), nullptr);
    xcb_window_t found = 0;
    for (int i = 0; tree && i < xcb_query_tree_children_length(tree) && !found; ++i) {
        const xcb_window_t w = xcb_query_tree_children(tree)[i];
        xcb_get_property_reply_t* name = xcb_get_property_reply(
            c, xcb_get_property(c, 0, w, XCB_ATOM_WM_NAME, XCB_ATOM_ANY, 0, 64), nullptr);
        if (name &&
            std::string(static_cast<char*>(xcb_get_property_value(name)),
                        xcb_get_property_value_length(name))
                .starts_with("Loopsmith - ") &&
            Take(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr))
                    .map_state == XCB_MAP_STATE_VIEWABLE)
            found = w;
        std::free(name);
    }
    std::free(tree);
    return found;
}

TEST(CloseRequest, EndsTheProgramAndStoresTheSettingsAtTheLimits) {
    testing_files::TempFolder dir;
    int n = 120;
    while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n)))
        ++n;
    const std::string display = ":" + std::to_string(n);
    const std::shared_ptr<void> server(
        nullptr, [pid = Spawn({"Xvfb", display, "-nolisten", "tcp"}, "")](void*) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        });
    std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> connection(nullptr,
                                                                              xcb_disconnect);
    for (int i = 0; i < 100 && (!connection || xcb_connection_has_error(connection.get())); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        connection.reset(xcb_connect(display.c_str(), nullptr));
    }
    xcb_connection_t* c = connection.get();
    ASSERT_FALSE(xcb_connection_has_error(c)) << "no Xvfb at " << display;
    const auto atom = [c](const std::string& name) {
        return Take(xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, name.size(), name.data()),
                                          nullptr))
            .atom;
    };
    for (const char* name : {"loopsmith", "Language"})
        std::filesystem::copy(std::filesystem::path(LOOPSMITH_BIN_DIR) / name, dir / name);

    // 30000 profile groups (the most) of 19 lines, then of 20: 600000 lines (the most).
    std::string keys;
    for (int i = 0; i < 18; ++i)
        keys += "Key = 0\r\n";
    for (const std::string extra : {"", "Note = n\r\n"}) {
        std::string file;
        for (int i = 0; i < 30000; ++i)
            file += "[P" + std::to_string(i) + "]\r\n" + keys + extra;
        testing_files::WriteBytes(dir / "Loopsmith.ini", file);
        const pid_t pid = Spawn({(dir / "loopsmith").string()}, display);
        xcb_window_t window = 0;
        for (int i = 0; i < 600 && !(window = LoopsmithWindow(c)); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        ASSERT_NE(window, 0u) << "the window did not open";
        xcb_client_message_event_t close{XCB_CLIENT_MESSAGE,   32, 0, window,
                                         atom("WM_PROTOCOLS"), {}};
        close.data.data32[0] = atom("WM_DELETE_WINDOW");
        xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&close));
        std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));  // taken
        int status = -1;
        for (int i = 0; i < 300 && ::waitpid(pid, &status, WNOHANG) == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (status == -1 && ::kill(pid, SIGKILL) == 0)
            ::waitpid(pid, nullptr, 0);
        ASSERT_EQ(status, 0) << "not ended 30 s after the close request";
        const std::string saved = testing_files::ReadBytes(dir / "Loopsmith.ini");
        EXPECT_TRUE(saved.starts_with("\xEF\xBB\xBF\r\n" + file));
        EXPECT_NE(saved.find("\r\n[Window]\r\nCalcState = 1\r\n", file.size()), std::string::npos);
    }
}

}  // namespace

// The built program itself: a start that fails, and a program folder deeper than any fixed
// buffer.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

const fs::path kProgram = fs::path(LOOPSMITH_BIN_DIR) / "loopsmith";

fs::path FreshFolder() {
    std::random_device rd;
    const fs::path dir = fs::temp_directory_path() /
                         ("loopsmith-bin-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(dir);
    return dir;
}

std::string Quoted(const fs::path& p) {
    return "'" + p.string() + "'";
}

struct RunResult {
    int exitCode;
    std::string output;
};

RunResult Shell(const std::string& command, const fs::path& outputFile) {
    const int status = std::system((command + " >" + Quoted(outputFile) + " 2>&1").c_str());
    std::ifstream in(outputFile);
    std::stringstream text;
    text << in.rdbuf();
    return {WEXITSTATUS(status), text.str()};
}

class ProgramBinary : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fs::exists(kProgram))
            GTEST_SKIP() << "the program is not built: " << kProgram;
        folder = FreshFolder();
    }
    void TearDown() override {
        std::error_code ec;
        if (!folder.empty())
            fs::remove_all(folder, ec);
    }
    fs::path folder;
};

// An X server that answers every connection with a refusal, as one does to a client without
// its credentials.
class RefusingDisplay {
  public:
    RefusingDisplay() {
        fs::create_directories("/tmp/.X11-unix");
        for (number_ = 171; number_ < 300; ++number_) {
            if (!fs::exists(SocketPath()))
                break;
        }
        listener_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", SocketPath().c_str());
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener_, 4) != 0)
            return;
        server_ = std::thread([this] {
            for (int client; (client = ::accept(listener_, nullptr, nullptr)) >= 0;) {
                unsigned char request[12] = {};
                if (::recv(client, request, sizeof request, MSG_WAITALL) == 12) {
                    const std::string reason = "Authorization required";
                    std::string reply = {0, static_cast<char>(reason.size()),           11, 0, 0,
                                         0, static_cast<char>((reason.size() + 3) / 4), 0};
                    reply += reason;
                    reply.resize(8 + (reason.size() + 3) / 4 * 4, '\0');
                    ::send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
                }
                ::close(client);
            }
        });
    }
    ~RefusingDisplay() {
        ::shutdown(listener_, SHUT_RDWR);
        ::close(listener_);
        if (server_.joinable())
            server_.join();
        std::error_code ec;
        fs::remove(SocketPath(), ec);
    }
    bool Listening() const { return server_.joinable(); }
    std::string Name() const { return ":" + std::to_string(number_); }

  private:
    std::string SocketPath() const { return "/tmp/.X11-unix/X" + std::to_string(number_); }
    int number_ = 0;
    int listener_ = -1;
    std::thread server_;
};

TEST_F(ProgramBinary, AFailedStartNamesItsCauseInOneLine) {
    RefusingDisplay refusing;
    ASSERT_TRUE(refusing.Listening());
    const std::string clean = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ";
    const std::string say = "Loopsmith cannot open its window: ";
    const struct {
        std::string environment;
        std::string line;
    } cases[] = {
        {"", say + "no graphical display is available.\n"},
        {"QT_QPA_PLATFORM=xcb ", say + "no graphical display is available.\n"},
        {"DISPLAY=:97 ", say + "no graphical display is available at \":97\".\n"},
        {"DISPLAY=" + refusing.Name() + " XAUTHORITY=/nonexistent ",
         say + "the display \"" + refusing.Name() +
             "\" refused the connection (Authorization required).\n"},
        {"QT_QPA_PLATFORM=no-such-plugin ",
         say + "Could not find the Qt platform plugin \"no-such-plugin\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.environment);
        const RunResult run = Shell(clean + c.environment + Quoted(kProgram), folder / "out.txt");
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.output.substr(0, c.line.size()), c.line);
        EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
    }
}

TEST_F(ProgramBinary, UsesItsOwnFolderHoweverDeep) {
    fs::path deep = folder;
    while (deep.string().size() < 300)
        deep /= "a-rather-long-folder-name";
    fs::create_directories(deep);
    fs::copy_file(kProgram, deep / "loopsmith");
    fs::copy(fs::path(LOOPSMITH_SOURCE_DIR) / "Language", deep / "Language");
    const fs::path elsewhere = folder / "elsewhere";
    fs::create_directories(elsewhere);
    // The program waits for a person; it is stopped once it had time to start.
    Shell("cd " + Quoted(elsewhere) + " && QT_QPA_PLATFORM=offscreen timeout 4 " +
              Quoted(deep / "loopsmith"),
          folder / "out.txt");
    EXPECT_TRUE(fs::exists(deep / "Loopsmith.ini"));
    EXPECT_FALSE(fs::exists(elsewhere / "Loopsmith.ini"));
}

}  // namespace

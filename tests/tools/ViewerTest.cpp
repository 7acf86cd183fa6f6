// The viewer run as a user runs it: in a window on a virtual X server,
// clicked with a synthetic mouse.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "tests/support/TestPaths.h"

namespace zelph::test {
namespace {

using namespace std::chrono_literals;

bool OnPath(const std::string& program) {
  std::stringstream path(std::getenv("PATH") ? std::getenv("PATH") : "");
  std::string folder;
  while (std::getline(path, folder, ':')) {
    if (access((folder + "/" + program).c_str(), X_OK) == 0) return true;
  }
  return false;
}

std::string ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Waits up to `limit` for the child to end; its exit status, or -1 when it
// had to be killed or did not exit normally.
int WaitFor(pid_t child, std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(50ms);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A virtual X server on a display number it picks itself, so that test runs
// side by side never share one; stopped when the object goes.
class VirtualDisplay {
 public:
  VirtualDisplay() {
    int ends[2];
    if (pipe(ends) != 0) return;
    m_Server = fork();
    if (m_Server == 0) {
      close(ends[0]);
      const int quiet = open("/dev/null", O_WRONLY);
      dup2(quiet, STDOUT_FILENO), dup2(quiet, STDERR_FILENO);
      const std::string fd = std::to_string(ends[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "320x240x24", "-nolisten", "tcp",
             static_cast<char*>(nullptr));
      _exit(127);
    }
    close(ends[1]);
    // The server writes its display number once it accepts clients, and
    // the newline after it separately: reading stops only at the newline,
    // as a server whose pipe is closed early gives up.
    std::string number;
    char next = 0;
    while (read(ends[0], &next, 1) == 1 && next != '\n') number += next;
    close(ends[0]);
    if (next == '\n' && !number.empty()) m_Name = ":" + number;
  }
  ~VirtualDisplay() {
    if (m_Server > 0) {
      kill(m_Server, SIGTERM);
      WaitFor(m_Server, 10s);
    }
  }
  const std::string& Name() const { return m_Name; }

 private:
  pid_t m_Server = -1;
  std::string m_Name;
};

TEST(ZelphViewer, AClickAtTheCentreSelectsTheBillboardThereAndRedraws) {
  if (!OnPath("Xvfb") || !OnPath("xdotool")) GTEST_SKIP() << "needs Xvfb and xdotool (see .ci/install-packages)";
  VirtualDisplay display;
  ASSERT_FALSE(display.Name().empty()) << "Xvfb did not start";

  const std::string folder = FreshDirectory("zelph-viewer");
  const std::string scene = folder + "/tiny.json", before = folder + "/before.png", after = folder + "/after.png",
                    log = folder + "/out.txt";
  // A billboard at the camera's nadir shows at the window's centre; the
  // window opens at the top left of the screen, so that is (80, 60).
  std::ofstream(scene) << R"({"size": [160, 120], "camera": {"latitude": 30, "longitude": 40, "altitude": 200000},
    "graphics": [{"class": "Billboard3D", "Name": "beacon", "XSize": 0.005, "YSize": 0.005, "Centroid": [40, 30, 0],
                  "Material": {"class": "SimpleMaterial3D", "Color": {"rgb": [255, 0, 0]}}}]})";

  const std::string program = BesideProgram("zelph-viewer");
  const pid_t viewer = fork();
  if (viewer == 0) {
    setenv("DISPLAY", display.Name().c_str(), 1);
    const int output = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(output, STDOUT_FILENO), dup2(output, STDERR_FILENO);
    execl(program.c_str(), program.c_str(), scene.c_str(), "--snapshot-before-click", before.c_str(),
          "--snapshot-after-click", after.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  ASSERT_GT(viewer, 0);
  // The first frame is saved once the window shows it; only then is there
  // something to click.
  const auto deadline = std::chrono::steady_clock::now() + 60s;
  while (!std::filesystem::exists(before) && std::chrono::steady_clock::now() < deadline &&
         waitpid(viewer, nullptr, WNOHANG) == 0) {
    std::this_thread::sleep_for(50ms);
  }
  const bool shown = std::filesystem::exists(before);
  if (shown) {
    const std::string click = "DISPLAY=" + display.Name() + " xdotool mousemove 80 60 click 1";
    EXPECT_EQ(std::system(click.c_str()), 0);
  }
  const int status = WaitFor(viewer, 60s);
  ASSERT_TRUE(shown) << ReadAll(log);
  ASSERT_EQ(status, 0) << ReadAll(log);

  EXPECT_NE(ReadAll(log).find("selected: beacon\n"), std::string::npos) << ReadAll(log);
  const std::string first = ReadAll(before), second = ReadAll(after);
  ASSERT_GT(first.size(), 8u);
  EXPECT_EQ(first.substr(1, 3), "PNG");
  EXPECT_EQ(second.substr(1, 3), "PNG");
  // Selected, the billboard is drawn otherwise.
  EXPECT_NE(first, second);
}

}  // namespace
}  // namespace zelph::test

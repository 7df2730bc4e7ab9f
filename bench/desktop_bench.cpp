// Measures desktop programs side by side on one X display: time from exec to
// the window mapped, CPU time with the pointer still and moving, peak
// resident memory. Usage:
//   desktop_bench [--rounds N] [--seconds S] NAME=COMMAND [NAME=COMMAND ...]
// Each round runs every program once, in turn, alone on the display.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/shape.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Program {
  std::string name;
  std::string command;
};

struct Sample {
  double startMs = 0;
  double cpuStillPerMin = 0;  // seconds of CPU per minute
  double cpuMovingPerMin = 0;
  double peakRssMiB = 0;
};

// CPU time of a process in seconds, from the scheduler's nanosecond count.
double CpuSeconds(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/schedstat");
  double ns = 0;
  in >> ns;
  return ns / 1e9;
}

double PeakRssMiB(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  }
  return 0;
}

pid_t Spawn(const std::string& command) {
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    execl("/bin/sh", "sh", "-c", ("exec " + command).c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  return pid;
}

// Waits for the first new top-level window to be mapped; returns false on timeout.
bool WaitForMap(Display* display, double timeoutSeconds) {
  const Window root = DefaultRootWindow(display);
  const auto end = Clock::now() + std::chrono::duration<double>(timeoutSeconds);
  while (Clock::now() < end) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
        const Window w = event.xcreatewindow.window;
        XSelectInput(display, w, StructureNotifyMask);
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, w, &attributes) && attributes.map_state != IsUnmapped &&
            !attributes.override_redirect) {
          return true;
        }
      } else if (event.type == MapNotify && !event.xmap.override_redirect) {
        return true;
      }
    }
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, 1);
  }
  return false;
}

void MovePointerFor(Display* display, double seconds) {
  // Relative steps round a circle: programs that follow raw motion see them.
  const auto end = Clock::now() + std::chrono::duration<double>(seconds);
  double angle = 0;
  while (Clock::now() < end) {
    const int dx = static_cast<int>(std::lround(6 * std::cos(angle)));
    const int dy = static_cast<int>(std::lround(6 * std::sin(angle)));
    XTestFakeRelativeMotionEvent(display, dx, dy, CurrentTime);
    XFlush(display);
    angle += 0.08;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

Sample Measure(Display* display, const Program& program, double seconds) {
  Sample sample;
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, True);
  XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, 600, 500);
  XSync(display, False);
  const auto start = Clock::now();
  const pid_t pid = Spawn(program.command);
  if (!WaitForMap(display, 10)) {
    std::fprintf(stderr, "%s: no window within 10 s\n", program.name.c_str());
  }
  sample.startMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  XSelectInput(display, DefaultRootWindow(display), NoEventMask);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));  // settle after start-up

  double before = CpuSeconds(pid);
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  sample.cpuStillPerMin = (CpuSeconds(pid) - before) * 60.0 / seconds;

  before = CpuSeconds(pid);
  MovePointerFor(display, seconds);
  sample.cpuMovingPerMin = (CpuSeconds(pid) - before) * 60.0 / seconds;

  sample.peakRssMiB = PeakRssMiB(pid);
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  return sample;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n == 0 ? 0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = 5;
  double seconds = 10;
  std::vector<Program> programs;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--rounds" && i + 1 < argc) {
      rounds = std::atoi(argv[++i]);
    } else if (arg == "--seconds" && i + 1 < argc) {
      seconds = std::atof(argv[++i]);
    } else if (const auto eq = arg.find('='); eq != std::string::npos) {
      programs.push_back({arg.substr(0, eq), arg.substr(eq + 1)});
    }
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr || programs.empty()) {
    std::fprintf(stderr,
                 "usage: DISPLAY=:N desktop_bench [--rounds N] [--seconds S] NAME=CMD...\n");
    return 2;
  }
  std::map<std::string, std::vector<Sample>> samples;
  for (int round = 0; round < rounds; ++round) {
    // Alternate the order so neither program always runs on a warmer machine.
    for (std::size_t k = 0; k < programs.size(); ++k) {
      const Program& p = programs[(k + static_cast<std::size_t>(round)) % programs.size()];
      samples[p.name].push_back(Measure(display, p, seconds));
      std::fprintf(stderr, "round %d %s done\n", round + 1, p.name.c_str());
    }
  }
  std::printf("medians of %d rounds, %.0f s per phase\n\n", rounds, seconds);
  std::printf("%-34s", "");
  for (const auto& p : programs) std::printf("%14s", p.name.c_str());
  if (programs.size() == 2) std::printf("%14s", "ratio");
  std::printf("\n");
  const struct {
    const char* label;
    double Sample::*field;
    const char* format;
  } rows[] = {{"start to mapped (ms)", &Sample::startMs, "%14.1f"},
              {"CPU, pointer still (ms/min)", &Sample::cpuStillPerMin, "%14.1f"},
              {"CPU, pointer moving (ms/min)", &Sample::cpuMovingPerMin, "%14.1f"},
              {"peak resident memory (MiB)", &Sample::peakRssMiB, "%14.2f"}};
  for (const auto& row : rows) {
    std::printf("%-34s", row.label);
    std::vector<double> medians;
    for (const auto& p : programs) {
      std::vector<double> values;
      for (const Sample& s : samples[p.name]) values.push_back(s.*row.field);
      double m = Median(values);
      if (row.field != &Sample::startMs && row.field != &Sample::peakRssMiB) m *= 1000.0;
      medians.push_back(m);
      std::printf(row.format, m);
    }
    if (medians.size() == 2) std::printf("%14.2f", medians[1] > 0 ? medians[0] / medians[1] : 0.0);
    std::printf("\n");
  }
  XCloseDisplay(display);
  return 0;
}

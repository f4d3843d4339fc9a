// Start-up time and peak memory of halmira against a bare Qt Widgets window, on the X display
// it runs on (Xvfb in the README's figures). Start-up is the time from launch to the window
// being mapped, measured alternately; memory is the peak RSS, for halmira after one full run.
// A third window, halmira's visible controls alone, splits the start-up difference in two.
#include <X11/Xlib.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Launched {
    pid_t pid = -1;
    Window window = 0;
    double seconds = 0; // launch to map
};

// Launches the program and waits until one of its top-level windows is mapped.
Launched launch(Display *display, const char *program)
{
    Launched launched;
    char *argv[] = {const_cast<char *>(program), nullptr};
    const auto start = Clock::now();
    if (posix_spawn(&launched.pid, program, nullptr, nullptr, argv, environ) != 0)
        return launched;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (std::chrono::duration<double>(Clock::now() - start).count() < 20) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify) {
                launched.window = event.xmap.window;
                launched.seconds = std::chrono::duration<double>(Clock::now() - start).count();
                return launched;
            }
        }
        poll(&connection, 1, 100);
    }
    return launched;
}

void end(Launched &launched)
{
    kill(launched.pid, SIGTERM);
    waitpid(launched.pid, nullptr, 0);
}

long peakResidentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Ratios are taken within each round, where both launches met the same machine, then the median.
double medianRatio(const std::vector<double> &numerators, const std::vector<double> &denominators)
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i < numerators.size(); ++i)
        ratios.push_back(numerators[i] / denominators[i]);
    return median(ratios);
}

} // namespace

int main(int argc, char *argv[])
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 15;
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);

    enum { Halmira, Visible, Bare };
    const char *const programs[] = {HALMIRA_BINARY, VISIBLE_BINARY, BARE_BINARY};
    std::array<std::vector<double>, 3> seconds; // launch to map, by program, round by round
    for (int round = 0; round <= rounds; ++round) {
        for (int program : {Halmira, Visible, Bare}) {
            Launched launched = launch(display, programs[program]);
            end(launched);
            if (round > 0) // the first round warms the caches
                seconds[program].push_back(launched.seconds);
        }
    }
    const auto time = [&](int program) { return 1000 * median(seconds[program]); };
    const auto ratio = [&](int program, int against) {
        return medianRatio(seconds[program], seconds[against]);
    };

    // Memory: halmira after one whole run at the first pace, the bare window once shown.
    Launched a = launch(display, HALMIRA_BINARY);
    const std::string click =
        "xdotool mousemove --window " + std::to_string(a.window) + " 576 20 click 1";
    if (std::system(click.c_str()) != 0)
        std::fprintf(stderr, "xdotool failed\n");
    std::this_thread::sleep_for(std::chrono::seconds(5)); // a run takes about 1.8 s
    const long halmiraKb = peakResidentKb(a.pid);
    end(a);
    Launched b = launch(display, BARE_BINARY);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const long bareKb = peakResidentKb(b.pid);
    end(b);
    XCloseDisplay(display);

    std::printf("start-up to mapped window, median of %d alternate launches\n", rounds);
    std::printf("  halmira              %.1f ms\n", time(Halmira));
    std::printf("  visible controls     %.1f ms\n", time(Visible));
    std::printf("  bare window          %.1f ms\n", time(Bare));
    std::printf("  median ratio         %.3f  (goal <= 1.10: %s)\n", ratio(Halmira, Bare),
                ratio(Halmira, Bare) <= 1.10 ? "met" : "MISSED");
    std::printf("  visible controls     %.3f  of the bare window's\n", ratio(Visible, Bare));
    std::printf("  halmira              %.3f  of the visible controls'\n", ratio(Halmira, Visible));
    std::printf("peak RSS\n");
    std::printf("  halmira after a run  %ld kB\n", halmiraKb);
    std::printf("  bare window          %ld kB\n", bareKb);
    const double memoryRatio = double(halmiraKb) / double(bareKb);
    std::printf("  ratio                %.3f  (goal <= 1.20: %s)\n", memoryRatio,
                memoryRatio <= 1.20 ? "met" : "MISSED");
    return 0;
}

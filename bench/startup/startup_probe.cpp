// startup_probe: starts the real program several times on the X display of $DISPLAY and reports the
// time from exec to its mapped main window and its resident memory once the menu is up (medians).
// Usage: startup_probe PROGRAM [RUNS]
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// How long the program is left to settle (menu drawn, sounds loaded) before its memory is read.
constexpr auto kSettle = std::chrono::milliseconds(1500);
constexpr auto kGiveUp = std::chrono::seconds(30);

struct Run {
    double startMs = 0;
    double residentMb = 0;
    bool llvm = false;  // whether the display stack's software GL (libLLVM) was loaded
};

std::string windowName(Display* d, Window w) {
    char* name = nullptr;
    std::string out;
    if (XFetchName(d, w, &name) != 0 && name != nullptr) {
        out = name;
        XFree(name);
    }
    return out;
}

// VmRSS of a process in MB, and whether libLLVM is among its mappings.
void readMemory(pid_t pid, Run& run) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) run.residentMb = std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    for (std::string line; std::getline(maps, line);)
        if (line.find("libLLVM") != std::string::npos) run.llvm = true;
}

bool once(Display* d, const std::string& program, Run& run) {
    const fs::path config = fs::temp_directory_path() / ("varnook-startup-" + std::to_string(getpid()));
    fs::remove_all(config);
    fs::create_directories(config);
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    XSync(d, True);

    const auto t0 = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // A fresh settings store (no saved-game question) and SDL on this display.
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        unsetenv("SDL_VIDEODRIVER");
        // Its own output (the sound library's complaints on a machine without a sound card) would
        // bury the figures.
        if (const int null = open("/dev/null", O_WRONLY); null >= 0) {
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
        }
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    bool mapped = false;
    while (!mapped && Clock::now() - t0 < kGiveUp) {
        while (!mapped && XPending(d) > 0) {
            XEvent e;
            XNextEvent(d, &e);
            if (e.type == MapNotify && windowName(d, e.xmap.window) == "Varnook") {
                run.startMs = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
                mapped = true;
            }
        }
        if (mapped) break;
        pollfd p{ConnectionNumber(d), POLLIN, 0};
        poll(&p, 1, 5);
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fprintf(stderr, "startup_probe: %s ended before showing its window\n", program.c_str());
            fs::remove_all(config);
            return false;
        }
    }
    if (mapped) {
        std::this_thread::sleep_for(kSettle);
        readMemory(pid, run);
    } else {
        std::fprintf(stderr, "startup_probe: no Varnook window within %lld s\n",
                     static_cast<long long>(kGiveUp.count()));
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    fs::remove_all(config);
    return mapped;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: startup_probe PROGRAM [RUNS]\n");
        return 2;
    }
    const std::string program = fs::absolute(argv[1]).string();
    const int runs = argc == 3 ? std::max(1, std::atoi(argv[2])) : 5;
    Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) {
        std::fprintf(stderr, "startup_probe: cannot open the X display\n");
        return 1;
    }
    std::vector<double> times, memory;
    bool llvm = false;
    for (int i = 0; i < runs; ++i) {
        Run run;
        if (!once(d, program, run)) return 1;
        std::printf("run %d: %.1f ms to the mapped window, %.1f MB resident%s\n", i + 1, run.startMs, run.residentMb,
                    run.llvm ? " (libLLVM loaded)" : "");
        times.push_back(run.startMs);
        memory.push_back(run.residentMb);
        llvm = llvm || run.llvm;
    }
    std::printf("startup: median of %d: %.1f ms from exec to the mapped window, %.1f MB resident%s\n", runs,
                median(times), median(memory), llvm ? "; libLLVM loaded" : "");
    XCloseDisplay(d);
    return 0;
}

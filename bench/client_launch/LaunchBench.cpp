// Measures the real client program's start under an X server (run it under xvfb-run -a):
//   - from the exec to the main window mapped on the display,
//   - from the exec of a second copy (the first one running) to its end,
// for the client as built (its browser engine module beside it) and for the same program
// built without any engine code, taking turns, no site reachable.
//   bench_client_launch [runs] [--program NAME=PATH]...
// A --program adds another build of the client (its module is taken when it lies beside it).
#include <xcb/xcb.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Program {
    std::string name;
    fs::path folder;  // the program, its module when it has one, and the shipped data
    fs::path runtime;
    std::vector<double> mapped, second;
};

// A folder of its own for each build: the program folder holds its settings.
Program prepare(const std::string& name, const fs::path& program, const fs::path& work) {
    Program p{name, work / name, work / (name + "-run"), {}, {}};
    fs::create_directories(p.folder);
    fs::create_directories(p.runtime);
    fs::permissions(p.runtime, fs::perms::owner_all);
    fs::copy(fs::path(MORVATEL_SOURCE_DIR) / "data", p.folder, fs::copy_options::recursive);
    fs::copy_file(program, p.folder / "morvatel");
    const fs::path module = program.parent_path() / "libmorvatel_web.so";
    if (fs::exists(module)) fs::copy_file(module, p.folder / module.filename());
    return p;
}

pid_t launch(const Program& p, const std::string& site) {
    const pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);  // the copy and its engine processes, ended together
        setenv("XDG_RUNTIME_DIR", p.runtime.c_str(), 1);
        setenv("MORVATEL_SITE_URL", site.c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        const std::string exe = (p.folder / "morvatel").string();
        execl(exe.c_str(), exe.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

std::string windowName(xcb_connection_t* x, xcb_window_t w) {
    auto cookie = xcb_get_property(x, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(x, cookie, nullptr);
    if (!reply) return {};
    std::string name(static_cast<const char*>(xcb_get_property_value(reply)), xcb_get_property_value_length(reply));
    free(reply);
    return name;
}

// Waits for the client's main window to be mapped; the time of its map, or a negative value.
double waitForMainWindow(xcb_connection_t* x, double limitMs) {
    const double end = nowMs() + limitMs;
    while (nowMs() < end) {
        while (xcb_generic_event_t* e = xcb_poll_for_event(x)) {
            const bool map = (e->response_type & 0x7f) == XCB_MAP_NOTIFY;
            const xcb_window_t w = map ? reinterpret_cast<xcb_map_notify_event_t*>(e)->window : 0;
            free(e);
            if (map && windowName(x, w).rfind("MORVATEL Dominoes 3D", 0) == 0) return nowMs();
        }
        usleep(200);
    }
    return -1;
}

// The processor time (ticks) used so far by the processes of the group.
long groupTicks(pid_t group) {
    long total = 0;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        const std::string pid = entry.path().filename();
        if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
        FILE* f = std::fopen(("/proc/" + pid + "/stat").c_str(), "r");
        if (!f) continue;
        char buffer[1024] = {};
        const size_t n = std::fread(buffer, 1, sizeof buffer - 1, f);
        std::fclose(f);
        const char* rest = std::strrchr(buffer, ')');
        if (!n || !rest) continue;
        long fields[13] = {};  // from the state on: ppid pgrp session tty tpgid flags minflt
        char state = 0;        // cminflt majflt cmajflt utime stime
        if (std::sscanf(rest + 2, "%c %ld %ld %ld %ld %ld %ld %ld %ld %ld %ld %ld %ld", &state, &fields[0],
                        &fields[1], &fields[2], &fields[3], &fields[4], &fields[5], &fields[6], &fields[7],
                        &fields[8], &fields[9], &fields[10], &fields[11]) == 13 &&
            fields[1] == group)
            total += fields[10] + fields[11];
    }
    return total;
}

// Waits until the copy and its engine processes have done what they do after the first
// paint: no processor time used for half a second (at most 20 s).
void waitUntilIdle(pid_t group) {
    long before = groupTicks(group);
    for (int i = 0; i < 40; ++i) {
        usleep(500 * 1000);
        const long now = groupTicks(group);
        if (now == before) return;
        before = now;
    }
}

void drain(xcb_connection_t* x) {
    while (xcb_generic_event_t* e = xcb_poll_for_event(x)) free(e);
}

void endGroup(pid_t pid) {
    kill(-pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

// One start: the first copy to its main window, then, once it has settled, a second copy to
// its end. False when the window never came.
bool measure(xcb_connection_t* x, Program& p, const std::string& site, bool keep) {
    drain(x);
    const double start = nowMs();
    const pid_t first = launch(p, site);
    const double mapped = waitForMainWindow(x, 30000);
    if (mapped < 0) {
        endGroup(first);
        return false;
    }
    waitUntilIdle(first);
    const double secondStart = nowMs();
    const pid_t second = launch(p, site);
    waitpid(second, nullptr, 0);
    const double secondEnd = nowMs();
    endGroup(first);
    if (keep) {
        p.mapped.push_back(mapped - start);
        p.second.push_back(secondEnd - secondStart);
    }
    return true;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void report(const char* what, const std::vector<double>& v, double base) {
    if (v.empty()) return;
    const auto [lo, hi] = std::minmax_element(v.begin(), v.end());
    std::printf("  %-26s min %6.0f  median %6.0f  max %6.0f ms", what, *lo, median(v), *hi);
    if (base > 0) std::printf("   %.2fx the build without engine", median(v) / base);
    std::printf("\n");
}

} // namespace

int main(int argc, char** argv) {
    int runs = 7;
    std::vector<std::pair<std::string, fs::path>> programs = {
        {"client", fs::path(MORVATEL_OUT_DIR) / "morvatel"},
        {"without-engine", fs::path(MORVATEL_BENCH_DIR) / "morvatel_without_engine"}};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--program" && i + 1 < argc) {
            const std::string given = argv[++i];
            const auto eq = given.find('=');
            if (eq == std::string::npos) return std::fprintf(stderr, "--program NAME=PATH\n"), 2;
            programs.emplace_back(given.substr(0, eq), given.substr(eq + 1));
        } else if (std::atoi(arg.c_str()) > 0) {
            runs = std::atoi(arg.c_str());
        } else {
            return std::fprintf(stderr, "usage: %s [runs] [--program NAME=PATH]...\n", argv[0]), 2;
        }
    }
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "no X display: run under xvfb-run -a\n");
        return 2;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(x)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);

    char pattern[] = "/tmp/bench_client_launch-XXXXXX";
    const fs::path work = mkdtemp(pattern);
    std::vector<Program> all;
    for (const auto& [name, path] : programs) {
        if (!fs::exists(path)) {
            std::fprintf(stderr, "%s: no program at %s\n", name.c_str(), path.c_str());
            fs::remove_all(work);
            return 2;
        }
        all.push_back(prepare(name, path, work));
    }
    // Port 9 on the loopback (discard) has no listener here: no site answers.
    const std::string site = "http://127.0.0.1:9/";
    // A first round that is not counted writes each copy's settings and fills the caches;
    // then the builds take turns, so that a busy machine weighs on all alike.
    for (int round = 0; round <= runs; ++round)
        for (Program& p : all)
            if (!measure(x, p, site, round > 0)) std::fprintf(stderr, "%s: no main window\n", p.name.c_str());
    double baseMapped = 0, baseSecond = 0;
    for (const Program& p : all)
        if (p.name == "without-engine") baseMapped = median(p.mapped), baseSecond = median(p.second);
    std::printf("Client start, %d runs each, no site reachable:\n", runs);
    for (const Program& p : all) {
        std::printf("%s\n", p.name.c_str());
        const bool base = p.name == "without-engine";
        report("exec to main window mapped", p.mapped, base ? 0 : baseMapped);
        report("second copy, exec to end", p.second, base ? 0 : baseSecond);
    }
    xcb_disconnect(x);
    fs::remove_all(work);
    return 0;
}

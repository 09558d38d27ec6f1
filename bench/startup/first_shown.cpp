// Preloaded into a program by startup_probe: notes the moment its first window is shown and
// tells the probe how long that took since the probe exec'd it, and how much processor time
// the program used by then. It hooks the one Qt routine
// every window passes through when shown (on X it maps the window inside the call, offscreen
// it makes the window visible), so the bare window and the office programs are timed alike.
#include <dlfcn.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

long long clock_ns(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

void report_once() {
    static bool reported = false;
    if (reported) return;
    reported = true;
    const long long shown = clock_ns(CLOCK_MONOTONIC);
    // The processor time the program spent getting there: unlike the wall clock, it hardly
    // depends on what else the machine is doing.
    const long long busy = clock_ns(CLOCK_PROCESS_CPUTIME_ID);
    // For profiling start-up alone (valgrind --tool=callgrind): end the program right here.
    if (std::getenv("KEZ_STARTUP_EXIT") != nullptr) _exit(0);
    const char* start = std::getenv("KEZ_STARTUP_T0");
    const char* fd = std::getenv("KEZ_STARTUP_FD");
    if (start == nullptr || fd == nullptr) return;
    char line[64];
    int length = std::snprintf(line, sizeof line, "%lld %lld\n", shown - std::atoll(start), busy);
    if (write(std::atoi(fd), line, std::size_t(length)) < 0) return;
}

using SetVisible = void (*)(void* self, bool visible);

}  // namespace

// QWindowPrivate::setVisible(bool), called from the widgets library for every window shown.
extern "C" void _ZN14QWindowPrivate10setVisibleEb(void* self, bool visible) {
    static auto real =
        reinterpret_cast<SetVisible>(dlsym(RTLD_NEXT, "_ZN14QWindowPrivate10setVisibleEb"));
    if (real != nullptr) real(self, visible);
    if (visible) report_once();
}

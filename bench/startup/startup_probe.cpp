// Starts one program with first_shown preloaded and prints, on one line, the milliseconds from
// exec to its first shown window, the processor milliseconds it used by then, and its resident
// memory (KiB) one second later; then ends it.
//   startup_probe PRELOAD_LIBRARY PROGRAM [ARGUMENTS...]
// Prints "timeout" when no window shows within 30 seconds.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

long long now_ns() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

long resident_kib(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return -1;
}

[[noreturn]] void run_child(int report_fd, const char* preload, char** program) {
    setenv("KEZ_STARTUP_FD", std::to_string(report_fd).c_str(), 1);
    setenv("LD_PRELOAD", preload, 1);
    int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
    }
    setenv("KEZ_STARTUP_T0", std::to_string(now_ns()).c_str(), 1);
    execv(program[0], program);
    _exit(127);
}

void end_child(pid_t pid) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 50; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        usleep(20000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s PRELOAD_LIBRARY PROGRAM [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0) return 1;
    pid_t pid = fork();
    if (pid < 0) return 1;
    if (pid == 0) {
        close(pipe_fds[0]);
        run_child(pipe_fds[1], argv[1], argv + 2);
    }
    close(pipe_fds[1]);
    pollfd wait_for{pipe_fds[0], POLLIN, 0};
    char line[64] = {};
    if (poll(&wait_for, 1, 30000) <= 0 || read(pipe_fds[0], line, sizeof line - 1) <= 0) {
        std::puts("timeout");
        end_child(pid);
        return 1;
    }
    long long shown_ns = 0, busy_ns = 0;
    if (std::sscanf(line, "%lld %lld", &shown_ns, &busy_ns) != 2) return 1;
    sleep(1);
    const long rss = resident_kib(pid);
    end_child(pid);
    std::printf("%.2f %.2f %ld\n", shown_ns / 1e6, busy_ns / 1e6, rss);
    return 0;
}

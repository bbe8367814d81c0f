// Runs the benchmarks against the bare baseline program, built in the same
// tree, and prints each figure with its ratio and goal. Run under an X server
// (scripts/bench.sh starts one).
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

long long monotonicNs()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

struct Result {
    long long startedNs;
    std::string output;
    long peakKiB;
};

// Starts the program, collects what it prints and its peak resident memory.
Result run(const std::vector<std::string>& command)
{
    int out[2];
    if (pipe(out) != 0)
        std::exit(1);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<char*> argv;
    for (const std::string& s : command)
        argv.push_back(const_cast<char*>(s.c_str()));
    argv.push_back(nullptr);
    Result r{monotonicNs(), {}, 0};
    pid_t pid;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", argv[0]);
        std::exit(1);
    }
    close(out[1]);
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;)
        r.output.append(buffer, size_t(n));
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n%s", argv[0], r.output.c_str());
        std::exit(1);
    }
    r.peakKiB = usage.ru_maxrss;
    return r;
}

// Milliseconds from the start of the program to its first painted window.
double startupMs(const std::vector<std::string>& command)
{
    const Result r = run(command);
    const auto at = r.output.find("shown ");
    if (at == std::string::npos) {
        std::fprintf(stderr, "%s printed no start-up time\n", command[0].c_str());
        std::exit(1);
    }
    return double(std::atoll(r.output.c_str() + at + 6) - r.startedNs) / 1e6;
}

template <class T>
T median(std::vector<T> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

const char* verdict(bool met) { return met ? "met" : "MISSED"; }

} // namespace

int main(int argc, char** argv)
{
    const std::string dir = argc > 1 ? argv[1] : ".";
    const std::string baseline = dir + "/bench_baseline";
    const std::string lumora = dir + "/bench_lumora";
    const int rounds = 15;

    // Alternating, so that a busy moment of the machine hits both alike.
    std::vector<double> base, ours;
    run({lumora, "startup"}); // the first start reads everything from disk
    for (int i = 0; i < rounds; ++i) {
        base.push_back(startupMs({baseline}));
        ours.push_back(startupMs({lumora, "startup"}));
    }
    const double startRatio = median(ours) / median(base);
    std::printf("start-up to the first window painted (median of %d): baseline %.1f ms, Lumora splash %.1f ms\n"
                "  ratio %.2f, goal <= 1.25: %s\n\n",
                rounds, median(base), median(ours), startRatio, verdict(startRatio <= 1.25));

    std::vector<long> basePeak, sessionPeak;
    for (int i = 0; i < 5; ++i) {
        basePeak.push_back(run({baseline}).peakKiB);
        sessionPeak.push_back(run({lumora, "session"}).peakKiB);
    }
    const double peakRatio = double(median(sessionPeak)) / double(median(basePeak));
    std::printf("peak resident memory (median of 5): baseline %ld KiB, a session through every window %ld KiB\n"
                "  ratio %.2f, goal <= 1.5: %s\n\n",
                median(basePeak), median(sessionPeak), peakRatio, verdict(peakRatio <= 1.5));

    std::printf("opening each exercise window from the menu (create, load, show, first paint) and judging one "
                "right answer:\n%s",
                run({lumora, "windows"}).output.c_str());
    return 0;
}

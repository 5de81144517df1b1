// The start-up, beside its bounds.
//   BM_ProcessToFirstFrame  a whole process: exec of the headless program (the trace runner), the
//                           application's start, the main window made from its template with
//                           menu, icons and the five sheets decoded, the fresh game drawn, and
//                           the first frame written out ("0 shot"); then the process ends.
//                           Beside the exec of a process that does nothing (x_bare_process) and
//                           the 50 ms tick period.
//   BM_MainWindowToFirstFrame  in this process: the main window made, painted once and destroyed.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shell/form1.h"
#include "shell/platform/headless/headless_driver.h"

extern char** environ;

namespace {

constexpr double TickPeriodSeconds = 0.05;

// Runs the program with the arguments and waits for it; answers its exit status.
int Spawn(const char* path, char* const* argv) {
    pid_t pid = 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawn(&pid, path, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return -1;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Seconds per run of a process that does nothing, the floor of any process start.
double BareProcessSeconds() {
    static const double seconds = [] {
        char truePath[] = "/bin/true";
        char* argv[] = {truePath, nullptr};
        constexpr int runs = 200;
        const auto begin = std::chrono::steady_clock::now();
        for (int i = 0; i < runs; ++i) {
            Spawn(truePath, argv);
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - begin;
        return took.count() / runs;
    }();
    return seconds;
}

void BM_ProcessToFirstFrame(benchmark::State& state) {
    const std::string directory = "/tmp/vantorel-startup-bench-" + std::to_string(getpid());
    const std::string script = directory + ".script";
    const std::string shot = directory + ".ppm";
    if (FILE* f = std::fopen(script.c_str(), "w")) {
        std::fprintf(f, "0 shot %s\n", shot.c_str());
        std::fclose(f);
    }
    std::string program = VANTOREL_TRACE_PATH;
    std::string seedFlag = "--seed", seed = "1", ticksFlag = "--ticks", ticks = "0",
                scriptFlag = "--script";
    std::string scriptPath = script;
    char* argv[] = {program.data(), seedFlag.data(),   seed.data(),       ticksFlag.data(),
                    ticks.data(),   scriptFlag.data(), scriptPath.data(), nullptr};
    const double bare = BareProcessSeconds();
    const auto begin = std::chrono::steady_clock::now();
    for (auto _ : state) {
        if (Spawn(program.c_str(), argv) != 0) {
            state.SkipWithError("the headless program failed");
            break;
        }
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - begin;
    const double perRun = took.count() / static_cast<double>(state.iterations());
    state.counters["x_bare_process"] = perRun / bare;
    state.counters["fit_in_50ms"] = TickPeriodSeconds / perRun;
    std::remove(script.c_str());
    std::remove(shot.c_str());
}
BENCHMARK(BM_ProcessToFirstFrame)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_MainWindowToFirstFrame(benchmark::State& state) {
    const auto begin = std::chrono::steady_clock::now();
    for (auto _ : state) {
        headless::Reset();
        Form1* window = CreateMainWindow();
        if (window == nullptr) {
            state.SkipWithError("the main window could not be made");
            break;
        }
        headless::Paint();
        benchmark::DoNotOptimize(headless::Frame(*window));
        DestroyMainWindow();
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - begin;
    state.counters["fit_in_50ms"] =
        TickPeriodSeconds * static_cast<double>(state.iterations()) / took.count();
}
BENCHMARK(BM_MainWindowToFirstFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

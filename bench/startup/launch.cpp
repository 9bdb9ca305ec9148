// What a user waits for when the editor starts, against the floor SDL itself sets: runs the
// editor's start-up (bench_startup_probe) and a bare SDL program (bench_startup_bare) as fresh
// processes, alternately, each until its first frame is presented, and prints the median times,
// their ratio and the resident sizes at that moment. Needs a display (Xvfb will do):
//   bench_startup_process [runs] [map]
// With a map, the editor opens it (a map of 1000 sectors is a fair working size); "thousand"
// writes such a map itself.
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
#include <vector>

#include "../BenchFolder.h"
#include "map/MapFile.h"
#include "map/MapStore.h"
#include "support/GridMaps.h"

namespace {

struct Run {
    double ms = 0;
    long rssKiB = 0;
    bool ok = false;
};

long residentKiB(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    while (in >> key) {
        if (key == "VmRSS:") {
            long kib = 0;
            in >> kib;
            return kib;
        }
        std::string rest;
        std::getline(in, rest);
    }
    return 0;
}

Run runOnce(const std::string& program, const std::string& argument) {
    int fds[2];
    if (::pipe(fds) != 0) return {};
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        ::setenv("KORVEL_READY_FD", std::to_string(fds[1]).c_str(), 1);
        const int null = ::open("/dev/null", O_WRONLY);
        if (null >= 0) ::dup2(null, 2);
        if (argument.empty())
            ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        else
            ::execl(program.c_str(), program.c_str(), argument.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    Run run;
    pollfd p{fds[0], POLLIN, 0};
    char byte = 0;
    if (pid > 0 && ::poll(&p, 1, 20000) == 1 && ::read(fds[0], &byte, 1) == 1) {
        run.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                           start).count();
        run.rssKiB = residentKiB(pid);
        run.ok = true;
    }
    ::close(fds[0]);
    if (pid > 0) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
    }
    return run;
}

template <typename T>
T median(std::vector<T> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? T() : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = std::filesystem::path(argv[0]).parent_path().string();
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    std::string map = argc > 2 ? argv[2] : "";
    korvel::BenchFolder scratch;
    if (map == "thousand") {
        auto store = std::make_unique<korvel::MapStore>();
        korvel::test::buildSplitRoomGrid(*store, 40, 25, 4);
        map = scratch.file("thousand.map");
        std::ofstream(map, std::ios::binary) << korvel::serializeMap(*store);
    }
    const std::string probe = folder + "/bench_startup_probe", bare = folder + "/bench_startup_bare";
    std::vector<double> editorMs, bareMs;
    std::vector<long> editorKiB, bareKiB;
    runOnce(bare, "");  // warm the file cache for both before measuring
    runOnce(probe, map);
    for (int i = 0; i < runs; ++i) {
        const Run b = runOnce(bare, ""), e = runOnce(probe, map);
        if (!b.ok || !e.ok) {
            std::fprintf(stderr, "a run did not reach its first frame (is there a display?)\n");
            return 1;
        }
        bareMs.push_back(b.ms), editorMs.push_back(e.ms);
        bareKiB.push_back(b.rssKiB), editorKiB.push_back(e.rssKiB);
    }
    const double e = median(editorMs), b = median(bareMs);
    std::printf("first frame, median of %d: editor %.1f ms, bare SDL %.1f ms, ratio %.3f, "
                "editor's own share %.1f ms\n",
                runs, e, b, e / b, e - b);
    std::printf("resident at first frame, median: editor %.1f MiB, bare SDL %.1f MiB, "
                "difference %.1f MiB\n",
                median(editorKiB) / 1024.0, median(bareKiB) / 1024.0,
                (median(editorKiB) - median(bareKiB)) / 1024.0);
    return 0;
}

// Times a command as a whole process: started with posix_spawn, waited for with wait4, which
// also gives its peak resident memory. Runs it RUNS times and prints the median wall time in
// microseconds, the median peak in kilobytes and the shortest wall time, on one line. Its own
// cost is that of starting the process, as a shell's would be, without the extra processes a
// wrapper such as /usr/bin/time or date adds to each run.
//
//   velmora_proc_time RUNS COMMAND [ARG...]

#include <sys/resource.h>
#include <sys/wait.h>

#include <fcntl.h>
#include <spawn.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

extern char** environ;

namespace {

long long nowUs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

template <class T> T median(std::vector<T> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s RUNS COMMAND [ARG...]\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    if (runs < 1) {
        std::fprintf(stderr, "RUNS must be at least 1\n");
        return 2;
    }
    // The command's output goes nowhere, as in the batch runs being timed.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);

    std::vector<long long> walls;
    std::vector<long> peaks;
    for (int i = 0; i < runs; ++i) {
        const long long start = nowUs();
        pid_t pid = 0;
        if (posix_spawnp(&pid, argv[2], &actions, nullptr, argv + 2, environ) != 0) {
            std::fprintf(stderr, "cannot start %s\n", argv[2]);
            return 1;
        }
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, 0, &usage) != pid) {
            std::fprintf(stderr, "lost %s\n", argv[2]);
            return 1;
        }
        walls.push_back(nowUs() - start);
        peaks.push_back(usage.ru_maxrss);
    }
    posix_spawn_file_actions_destroy(&actions);
    std::printf("%lld %ld %lld\n", median(walls), median(peaks),
                *std::min_element(walls.begin(), walls.end()));
    return 0;
}

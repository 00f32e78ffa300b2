// Work handed to a second thread while the calling thread goes on with its own share.
#pragma once

#include <functional>

#include <pthread.h>
#include <sched.h>

namespace velmora {

// A thread started on another core than its creator's, where the process may use one. Started
// plainly, a new thread waits on its creator's busy core until the scheduler moves it, which on
// a two-core machine took up to 2 ms, as long as calculating a few hundred database rows. Once
// running it may go to any core again. When no thread can be started, the work is done by the
// creator in join(). The destructor joins; `work` must not let an exception out.
class WorkerThread {
public:
    explicit WorkerThread(std::function<void()> work);
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;
    ~WorkerThread();

    // Waits until the work is done.
    void join();

private:
    static void* run(void* self);

    std::function<void()> work_;
    pthread_t thread_{};
    cpu_set_t allowed_{};
    bool restore_ = false;
    bool started_ = false;
};

// True when the process may run on more than one core.
bool severalCores();

} // namespace velmora

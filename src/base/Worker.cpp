#include "base/Worker.h"

#include <utility>

namespace velmora {

WorkerThread::WorkerThread(std::function<void()> work) : work_(std::move(work)) {
    pthread_attr_t attr;
    if (pthread_attr_init(&attr) == 0) {
        if (sched_getaffinity(0, sizeof allowed_, &allowed_) == 0) {
            cpu_set_t others = allowed_;
            const int here = sched_getcpu();
            if (here >= 0 && here < CPU_SETSIZE)
                CPU_CLR(here, &others);
            if (CPU_COUNT(&others) > 0 &&
                pthread_attr_setaffinity_np(&attr, sizeof others, &others) == 0)
                restore_ = true;
        }
        started_ = pthread_create(&thread_, &attr, &WorkerThread::run, this) == 0;
        pthread_attr_destroy(&attr);
    }
    if (!started_) {
        restore_ = false;
        started_ = pthread_create(&thread_, nullptr, &WorkerThread::run, this) == 0;
    }
}

WorkerThread::~WorkerThread() {
    join();
}

void WorkerThread::join() {
    if (started_) {
        pthread_join(thread_, nullptr);
        started_ = false;
    } else if (work_) {
        work_();
    }
    work_ = nullptr;
}

void* WorkerThread::run(void* self) {
    auto* w = static_cast<WorkerThread*>(self);
    // Free to move again: only the start was to be on another core.
    if (w->restore_)
        pthread_setaffinity_np(pthread_self(), sizeof w->allowed_, &w->allowed_);
    w->work_();
    return nullptr;
}

bool severalCores() {
    cpu_set_t allowed;
    return sched_getaffinity(0, sizeof allowed, &allowed) == 0 && CPU_COUNT(&allowed) > 1;
}

} // namespace velmora

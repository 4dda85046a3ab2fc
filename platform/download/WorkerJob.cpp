#include "WorkerJob.h"

#include <new>
#include <system_error>
#include <thread>

void WorkerJob::Start() {
    try {
        std::thread([self = shared_from_this()] {
            // An allocation that fails on this thread (a 32-bit process has
            // little room) must not end the program.
            try {
                self->Run();
            } catch (const std::bad_alloc&) {
                self->Failed();
            }
        }).detach();
    } catch (const std::system_error&) {
        Failed();
    }
}

void WorkerJob::Cancel() {
    std::lock_guard<std::mutex> lock(mu_);
    cancelled_ = true;
    target_ = nullptr;
    CancelledLocked();
}

void WorkerJob::PostLocked(UINT msg) {
    if (target_ && !cancelled_) PostMessageW(target_, msg, id_, 0);
}

#include "WorkerJob.h"

#include <system_error>
#include <thread>

void WorkerJob::Start() {
    try {
        std::thread([self = shared_from_this()] { self->Run(); }).detach();
    } catch (const std::system_error&) {
        NoThread();
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

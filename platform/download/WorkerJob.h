// A piece of work on a detached thread of its own that reports to a window
// by posted messages. Cancelling stops every later message at once; the
// thread, which keeps the job alive, may still run to its end.
#pragma once
#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>

class WorkerJob : public std::enable_shared_from_this<WorkerJob> {
public:
    WorkerJob(WPARAM id, HWND target) : id_(id), target_(target) {}
    virtual ~WorkerJob() = default;
    WorkerJob(const WorkerJob&) = delete;
    WorkerJob& operator=(const WorkerJob&) = delete;

    // Runs Run() on a new thread; without one, or when Run() runs out of
    // memory, Failed() reports instead.
    void Start();
    // User-interface thread: no message is posted after this returns.
    void Cancel();
    // The id every message of this job carries as wParam.
    WPARAM Id() const { return id_; }

protected:
    virtual void Run() = 0;
    // Reports the job as failed without the result of its work.
    virtual void Failed() = 0;
    // Called inside Cancel with mu_ held, to tidy up what the job left.
    virtual void CancelledLocked() {}
    bool Cancelled() const { return cancelled_; }
    // Posts msg to the window unless the job was cancelled. Call with mu_ held.
    void PostLocked(UINT msg);

    std::mutex mu_;  // guards the target and whatever the job shares with its window

private:
    const WPARAM id_;
    HWND target_;
    std::atomic<bool> cancelled_{false};
};

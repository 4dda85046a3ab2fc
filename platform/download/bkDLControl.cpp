#include "bkDLControl.h"

#include <stdexcept>

namespace {

// Handlers may destroy the control (a page unloads itself on completion), so
// each event is raised from a copy of its handler and nothing of the control
// is touched after it.
template <typename Handler, typename... Args>
void Raise(const Handler& handler, Args&&... args) {
    if (!handler) return;
    const Handler copy = handler;
    copy(std::forward<Args>(args)...);
}

}  // namespace

bkDLControl::bkDLControl() {
    if (!Create(MessageOnly(L"OrvaneDownControl"))) throw std::runtime_error("download control window not created");
}

bkDLControl::~bkDLControl() { StopDown(); }

void bkDLControl::StartDown() {
    StopDown();
    job_ = std::make_shared<DownloadJob>(++lastId_, hwnd(), url_, savePath_, fileName_, maxSize_);
    job_->Start();
}

void bkDLControl::StopDown() {
    if (!job_) return;
    job_->Cancel();
    job_.reset();
}

LRESULT bkDLControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case DownloadJob::kMsgSize: OnSize(wParam); return 0;
        case DownloadJob::kMsgProgress: OnProgress(wParam); return 0;
        case DownloadJob::kMsgFinished: OnFinished(wParam); return 0;
        default: return Default(msg, wParam, lParam);
    }
}

DownloadJob* bkDLControl::Current(WPARAM id) const {
    return job_ && job_->Id() == id ? job_.get() : nullptr;
}

void bkDLControl::OnSize(WPARAM id) {
    if (DownloadJob* job = Current(id)) Raise(DownSize, job->AnnouncedSize());
}

void bkDLControl::OnProgress(WPARAM id) {
    DownloadJob* job = Current(id);
    if (!job) return;
    const DownloadJob::Progress p = job->TakeProgress();
    Raise(DownProgress, p.fraction, p.speed, p.size);
}

void bkDLControl::OnFinished(WPARAM id) {
    if (!Current(id)) return;
    const std::shared_ptr<DownloadJob> job = std::move(job_);
    DownloadJob::Result r = job->TakeResult();
    // Without MOVEFILE_REPLACE_EXISTING: a file already under the name is not the download's.
    if (r.error == 0 && !MoveFileExW(r.tempPath.c_str(), job->FinalPath().c_str(), 0)) {
        DeleteFileW(r.tempPath.c_str());
        r.error = kDownSaveFailed;
    }
    if (r.error == 0)
        Raise(DownComplete, r.size);
    else
        Raise(DownError, r.error, DownErrorText(r.error));
}

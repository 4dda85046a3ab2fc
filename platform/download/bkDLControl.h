// The download control: fetches Url into the folder SavePath on a worker
// thread and raises its events on the user-interface thread. The file is
// written under a temporary name and takes its name (FileName, or else the
// last "/" segment of the address) only once it is complete, and only when
// no file of the folder has that name: a download never replaces a file.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "DownloadErrors.h"
#include "DownloadJob.h"
#include "Window.h"

class bkDLControl : public Window {
public:
    bkDLControl();
    ~bkDLControl() override;

    const std::wstring& Url() const { return url_; }
    void Url(const std::wstring& value) { url_ = value; }
    // The target folder, normally with a trailing backslash.
    const std::wstring& SavePath() const { return savePath_; }
    void SavePath(const std::wstring& value) { savePath_ = value; }
    // The largest file taken, in bytes (0, the default: no bound); a larger
    // one is DownError 1, with nothing left in the folder.
    uint64_t MaxSize() const { return maxSize_; }
    void MaxSize(uint64_t bytes) { maxSize_ = bytes; }
    // The name the complete file takes in SavePath; empty (the default): the
    // last "/" segment of Url, as it is.
    const std::wstring& FileName() const { return fileName_; }
    void FileName(const std::wstring& value) { fileName_ = value; }

    // Starts fetching Url into SavePath, all four read now. A download still
    // running is stopped first. Exactly one DownComplete or DownError follows.
    void StartDown();
    // Cancels quietly: no further event, and no file left behind by the
    // time the call returns.
    void StopDown();

    // fraction 0..1 of the file (0 while the server gave no size), bytes per
    // second over the last second, bytes received so far.
    std::function<void(float fraction, long speed, long size)> DownProgress;
    // The file is complete under its final name; size in bytes, at least 1.
    std::function<void(long size)> DownComplete;
    // The fetch failed (codes in DownloadErrors.h); detail is the code's text.
    std::function<void(long code, const std::wstring& detail)> DownError;
    // The server accepted the request: the size it announced, 0 when none.
    std::function<void(long size)> DownSize;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // The running job with this id, or nullptr for a stale message.
    DownloadJob* Current(WPARAM id) const;
    void OnSize(WPARAM id);
    void OnProgress(WPARAM id);
    void OnFinished(WPARAM id);

    std::wstring url_;
    std::wstring savePath_;
    std::wstring fileName_;
    uint64_t maxSize_ = 0;
    std::shared_ptr<DownloadJob> job_;
    WPARAM lastId_ = 0;
};

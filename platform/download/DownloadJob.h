// One run of the download control: fetches the address on a thread of its
// own into a temporary file of the target folder and posts to the control's
// window how it goes. The control keeps the job only while it is current.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "WorkerJob.h"

class DownloadJob : public WorkerJob {
public:
    // Posted to the target window with the job's id as wParam.
    static constexpr UINT kMsgSize = WM_APP + 1;      // the announced size is known
    static constexpr UINT kMsgProgress = WM_APP + 2;  // a new progress report is ready
    static constexpr UINT kMsgFinished = WM_APP + 3;  // the result is ready; nothing follows

    struct Progress {
        float fraction = 0;
        long speed = 0;
        long size = 0;
    };
    struct Result {
        long error = 0;  // 0: complete in the temporary file, else the DownError code
        long size = 0;
        std::wstring tempPath;
    };

    // fileName: the complete file's name in the folder (empty: the address's
    // last "/" segment). maxSize: a file larger is not downloadable (0: no
    // bound). A cancelled job's temporary file goes away with the cancel.
    DownloadJob(WPARAM id, HWND target, std::wstring url, std::wstring folder, const std::wstring& fileName,
                uint64_t maxSize);

    // Where the file belongs once complete.
    const std::wstring& FinalPath() const { return finalPath_; }
    long AnnouncedSize();
    // The latest report; the next one is posted only after this was taken.
    Progress TakeProgress();
    Result TakeResult();

private:
    void Run() override;
    void Failed() override;
    void CancelledLocked() override;
    // Creates the temporary file; false when the folder does not take it or
    // the job was cancelled.
    bool OpenTempFile();
    // False when the file could not take the data or is gone with a cancel.
    bool Write(const char* data, size_t size);
    // Keeps the latest report and posts it unless one is still untaken.
    void Report(const Progress& progress);
    void Finish(long error, long size);

    const std::wstring url_;
    const std::wstring folder_;
    const std::wstring fileName_;
    const std::wstring finalPath_;
    const uint64_t maxSize_;
    struct FileCloser {
        void operator()(HANDLE h) const { CloseHandle(h); }
    };

    // Guarded by mu_ (the worker writes the file under it, so a cancel can
    // close and remove the file at once):
    std::unique_ptr<void, FileCloser> file_;
    bool progressPending_ = false;
    std::wstring tempPath_;
    long announced_ = 0;
    Progress progress_;
    Result result_;
};

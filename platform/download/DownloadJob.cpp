#include "DownloadJob.h"

#include "DownloadErrors.h"
#include "DownloadName.h"
#include "HttpGet.h"
#include "TransferRate.h"

DownloadJob::DownloadJob(WPARAM id, HWND target, std::wstring url, std::wstring folder, const std::wstring& fileName,
                         uint64_t maxSize)
    : WorkerJob(id, target),
      url_(std::move(url)),
      folder_(std::move(folder)),
      fileName_(fileName.empty() ? FileNameFromAddress(url_) : fileName),
      finalPath_(PathInFolder(folder_, fileName_)),
      maxSize_(maxSize) {}

void DownloadJob::Failed() {
    file_.reset();  // so that the temporary file can go
    Finish(kDownUnknown, 0);
}

void DownloadJob::CancelledLocked() {
    file_.reset();
    if (!tempPath_.empty()) DeleteFileW(tempPath_.c_str());
    tempPath_.clear();
}

long DownloadJob::AnnouncedSize() {
    std::lock_guard<std::mutex> lock(mu_);
    return announced_;
}

DownloadJob::Progress DownloadJob::TakeProgress() {
    std::lock_guard<std::mutex> lock(mu_);
    progressPending_ = false;
    return progress_;
}

DownloadJob::Result DownloadJob::TakeResult() {
    std::lock_guard<std::mutex> lock(mu_);
    return result_;
}

void DownloadJob::Run() {
    if (!IsPlainFileName(fileName_)) return Finish(kDownNotDownloadable, 0);

    TransferRate rate(GetTickCount());
    bool writeFailed = false, tooLarge = false;
    uint64_t received = 0, announcedBytes = 0;
    HttpGetReceiver receiver;
    receiver.begin = [&](uint64_t announced) {
        if (Cancelled()) return false;
        if (maxSize_ && announced > maxSize_) {
            tooLarge = true;
            return false;
        }
        if (!OpenTempFile()) {
            writeFailed = true;
            return false;
        }
        announcedBytes = announced;
        std::lock_guard<std::mutex> lock(mu_);
        announced_ = ClampToLong(announced);
        PostLocked(kMsgSize);
        return true;
    };
    receiver.data = [&](const char* data, size_t size) {
        if (Cancelled()) return false;
        if (maxSize_ && received + size > maxSize_) {
            tooLarge = true;
            return false;
        }
        if (!Write(data, size)) {
            writeFailed = true;
            return false;
        }
        received += size;
        const DWORD now = GetTickCount();
        rate.Add(received, now);
        // The last piece is reported with the completion, once.
        if (received != announcedBytes && rate.ReportDue(now))
            Report({ProgressFraction(received, announcedBytes), rate.BytesPerSecond(), ClampToLong(received)});
        return true;
    };
    const HttpGetResult fetch = HttpGet(url_, receiver);
    {
        std::lock_guard<std::mutex> lock(mu_);
        file_.reset();
    }
    const long error = DownErrorFor(fetch, writeFailed, tooLarge);
    if (error == 0) Report({1.0f, rate.BytesPerSecond(), ClampToLong(received)});
    Finish(error, ClampToLong(received));
}

bool DownloadJob::OpenTempFile() {
    std::lock_guard<std::mutex> lock(mu_);
    if (Cancelled()) return false;
    wchar_t temp[MAX_PATH];
    if (!GetTempFileNameW(folder_.c_str(), L"dl", 0, temp)) return false;
    tempPath_ = temp;
    const HANDLE file =
        CreateFileW(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    file_.reset(file);
    return true;
}

bool DownloadJob::Write(const char* data, size_t size) {
    std::lock_guard<std::mutex> lock(mu_);
    DWORD written = 0;
    return file_ && WriteFile(file_.get(), data, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

void DownloadJob::Report(const Progress& progress) {
    std::lock_guard<std::mutex> lock(mu_);
    progress_ = progress;
    if (progressPending_) return;
    progressPending_ = true;
    PostLocked(kMsgProgress);
}

void DownloadJob::Finish(long error, long size) {
    std::lock_guard<std::mutex> lock(mu_);
    if ((Cancelled() || error != 0) && !tempPath_.empty()) DeleteFileW(tempPath_.c_str());
    result_ = {error, size, tempPath_};
    PostLocked(kMsgFinished);
}

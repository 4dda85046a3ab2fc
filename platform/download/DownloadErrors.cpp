#include "DownloadErrors.h"

std::wstring DownErrorText(long code) {
    switch (code) {
        case kDownNotDownloadable: return L"不可下载文件";
        case kDownRedirect: return L"重定向";
        case kDownNoBytes: return L"没有字节返回";
        case kDownSaveFailed: return L"文件保存错误";
        case kDownUnknown: return L"不明错误";
        default: return {};
    }
}

long DownErrorFor(const HttpGetResult& fetch, bool writeFailed, bool tooLarge) {
    if (tooLarge) return kDownNotDownloadable;
    if (writeFailed) return kDownSaveFailed;
    switch (fetch.kind) {
        case HttpGetResult::ErrorStatus: return kDownNotDownloadable;
        case HttpGetResult::Redirect: return kDownRedirect;
        case HttpGetResult::Done: break;
        default: return kDownUnknown;
    }
    if (fetch.received == 0) return kDownNoBytes;
    // A connection that closed before the announced length is a broken
    // transfer, never a complete file.
    if (fetch.announced != 0 && fetch.received < fetch.announced) return kDownUnknown;
    return 0;
}

#include "MovieHeadFetch.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "HttpGet.h"
#include "SwfHeader.h"

MovieHeadFetch::MovieHeadFetch(WPARAM id, HWND target, std::wstring url)
    : WorkerJob(id, target), url_(std::move(url)) {}

std::optional<std::string> MovieHeadFetch::TakeBytes() {
    std::lock_guard<std::mutex> lock(mu_);
    return std::move(bytes_);
}

void MovieHeadFetch::Run() {
    std::string head;
    HttpGetReceiver receiver;
    receiver.begin = [this](uint64_t) { return !Cancelled(); };
    receiver.data = [&](const char* data, size_t size) {
        head.append(data, std::min(size, kSwfHeaderBytes - head.size()));
        return head.size() < kSwfHeaderBytes && !Cancelled();
    };
    const HttpGetResult fetch = HttpGet(url_, receiver);
    const bool delivered = fetch.kind == HttpGetResult::Done || fetch.kind == HttpGetResult::Stopped;
    Deliver(delivered ? std::optional<std::string>(std::move(head)) : std::nullopt);
}

void MovieHeadFetch::Failed() { Deliver(std::nullopt); }

void MovieHeadFetch::Deliver(std::optional<std::string> bytes) {
    std::lock_guard<std::mutex> lock(mu_);
    bytes_ = std::move(bytes);
    PostLocked(kMsgFetched);
}

std::optional<std::string> ReadFileHead(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::string head(kSwfHeaderBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    return head;
}

// Fetches the first bytes of a movie on the network on a worker thread, so
// that the player's window never waits for the server.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "WorkerJob.h"

class MovieHeadFetch : public WorkerJob {
public:
    // Posted to the target window with the fetch's id as wParam.
    static constexpr UINT kMsgFetched = WM_APP + 10;

    MovieHeadFetch(WPARAM id, HWND target, std::wstring url);
    // The leading bytes, or nullopt when the address did not deliver the movie.
    std::optional<std::string> TakeBytes();

private:
    void Run() override;
    void Failed() override;
    void Deliver(std::optional<std::string> bytes);

    const std::wstring url_;
    std::optional<std::string> bytes_;  // guarded by mu_
};

// The leading bytes of a file, or nullopt when it cannot be read.
std::optional<std::string> ReadFileHead(const std::wstring& path);

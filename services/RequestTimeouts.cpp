#include "RequestTimeouts.h"

#include <algorithm>

#include "Internet.h"

namespace drumlin {

DWORD Remaining(ULONGLONG deadline) {
    const ULONGLONG now = GetTickCount64();
    return now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
}

bool SetTimeout(HINTERNET request, DWORD option, DWORD ms, ULONGLONG deadline) {
    DWORD value = std::min(ms, Remaining(deadline));
    return value > 0 && WinHttpSetOption(request, option, &value, sizeof value);
}

bool BoundRequest(HINTERNET request, ULONGLONG deadline) {
    // The read time-out covers the wait for the response headers too.
    return SetTimeout(request, WINHTTP_OPTION_RESOLVE_TIMEOUT, kResolveTimeoutMs, deadline) &&
           SetTimeout(request, WINHTTP_OPTION_CONNECT_TIMEOUT, kConnectTimeoutMs, deadline) &&
           SetTimeout(request, WINHTTP_OPTION_SEND_TIMEOUT, kSendTimeoutMs, deadline) &&
           SetTimeout(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, kReadTimeoutMs, deadline);
}

}  // namespace drumlin

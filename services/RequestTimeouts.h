// The time limits of one request of a fetch, each cut to what is left of the
// whole fetch, so that no phase (the name lookup included) can hold a call
// past the fetch's deadline.
#pragma once
#include <windows.h>
#include <winhttp.h>

namespace drumlin {

// Milliseconds left until the deadline (a GetTickCount64 time), 0 once it has passed.
DWORD Remaining(ULONGLONG deadline);
// One time-out of the request, cut to what is left; false once the deadline has passed.
bool SetTimeout(HINTERNET request, DWORD option, DWORD ms, ULONGLONG deadline);
// The name lookup, the connection, the sending and the wait for the reply's headers.
bool BoundRequest(HINTERNET request, ULONGLONG deadline);

}  // namespace drumlin

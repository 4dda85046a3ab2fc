// One HTTP GET through WinINet on the calling thread: the status is checked,
// then the body is handed over piece by piece until it ends or the receiver
// stops it. Shares the browser's cookies; never answers from the cache. An
// address's fragment stays here, as a browser keeps it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

struct HttpGetResult {
    enum Kind {
        Done,            // the body arrived to its end
        Stopped,         // the receiver declined more
        ErrorStatus,     // a status other than 2xx or 3xx
        Redirect,        // a redirect that could not be followed
        NetworkFailure,  // no connection, a bad address, a broken read
    } kind = NetworkFailure;
    unsigned long status = 0;   // the HTTP status, when one arrived
    uint64_t announced = 0;     // Content-Length, 0 when the server gave none
    uint64_t received = 0;      // body bytes handed to the receiver
};

struct HttpGetReceiver {
    // After a 2xx status, with the announced length; false stops the transfer.
    std::function<bool(uint64_t announced)> begin;
    // Each piece of the body; false stops the transfer.
    std::function<bool(const char* data, size_t size)> data;
};

HttpGetResult HttpGet(const std::wstring& url, const HttpGetReceiver& receiver);

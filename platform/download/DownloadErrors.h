// Codes and texts of the download control's DownError event, and the rule
// that turns the outcome of a transfer into one of them.
#pragma once
#include <string>

#include "HttpGet.h"

enum DownErrorCode : long {
    kDownNotDownloadable = 1,  // an error status, the address names no file of the folder, or the file is too large
    kDownRedirect = 2,         // a redirect that could not be followed
    kDownNoBytes = 3,          // the server sent an empty body
    kDownSaveFailed = 4,       // the file could not be written or given its name (a file already has it)
    kDownUnknown = 99,         // anything else: no connection, a broken transfer, a bad address
};

// The text that goes with a code as the event's second argument; empty for
// a code that has no name.
std::wstring DownErrorText(long code);

// 0 when the fetch produced a complete file, else the DownError code.
// writeFailed: the file could not be written; tooLarge: the file went past
// the download's bound; either stopped the fetch.
long DownErrorFor(const HttpGetResult& fetch, bool writeFailed, bool tooLarge);

// What a host program sees of Drumlin.dll: six __stdcall exports, by name or
// by ordinal, taking and returning NUL-terminated ANSI texts. A returned
// text belongs to the library and stays valid until the next call into it.
#pragma once
#include <cstdint>

namespace drumlin_api {

using Boolean = unsigned char;  // one byte: 0 false, anything else true

using AconfigQgetFn = const char*(__stdcall*)(int32_t index, Boolean isKey);
using AconfigQFn = int32_t(__stdcall*)(const char* url);
using AconfigGetFn = const char*(__stdcall*)(const char* url);
using IDconfigGetFn = int32_t(__stdcall*)(const char* dir, Boolean isUid);
using IDconfigSetFn = Boolean(__stdcall*)(const char* dir, const char* uid, const char* mid);
using MsgExchangeFn = const char*(__stdcall*)(const char* gate);

enum Ordinal : uint16_t {
    kAconfigQget = 1,
    kAconfigQ = 2,
    kAconfigGet = 3,
    kIDconfigGet = 4,
    kIDconfigSet = 5,
    kMsgExchange = 6,
};

}  // namespace drumlin_api

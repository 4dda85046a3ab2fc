// The six exports. Each turns every failure into its fallback result; the
// text returned is the library's one result buffer.
#include <memory>
#include <string>

#include "AnsiText.h"
#include "Drumlin.h"
#include "Identity.h"
#include "IniStore.h"
#include "Internet.h"

using drumlin_api::Boolean;

namespace {

std::string g_result;                            // returned text, valid until the next call
std::unique_ptr<drumlin::Tinternet> g_internet;  // InternetObj
drumlin::IdentityTokens g_identity;              // MsgExchange and its caches

const char* Give(std::string text) {
    g_result = std::move(text);
    return g_result.c_str();
}

const char* GiveEmpty() {
    g_result.clear();
    return g_result.c_str();
}

drumlin::Tinternet& InternetObj() {
    if (!g_internet) g_internet = std::make_unique<drumlin::Tinternet>();
    return *g_internet;
}

}  // namespace

extern "C" {

const char* __stdcall AconfigQget(int32_t index, Boolean isKey) {
    try {
        return g_internet ? Give(g_internet->GetPair(index, isKey != 0)) : GiveEmpty();
    } catch (...) {
        return GiveEmpty();
    }
}

int32_t __stdcall AconfigQ(const char* url) {
    try {
        return InternetObj().LoadPairs(drumlin::FromCaller(url));
    } catch (...) {
        return -1;
    }
}

const char* __stdcall AconfigGet(const char* url) {
    try {
        return Give(InternetObj().GetText(drumlin::FromCaller(url)));
    } catch (...) {
        return GiveEmpty();
    }
}

int32_t __stdcall IDconfigGet(const char* dir, Boolean isUid) {
    try {
        return drumlin::ReadIdentity(drumlin::FromCaller(dir), isUid != 0);
    } catch (...) {
        return 0;
    }
}

Boolean __stdcall IDconfigSet(const char* dir, const char* uid, const char* mid) {
    try {
        return drumlin::WriteIdentity(drumlin::FromCaller(dir), drumlin::FromCaller(uid), drumlin::FromCaller(mid)) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

const char* __stdcall MsgExchange(const char* gate) {
    try {
        return Give(g_identity.Exchange(gate));
    } catch (...) {
        return GiveEmpty();
    }
}

}  // extern "C"

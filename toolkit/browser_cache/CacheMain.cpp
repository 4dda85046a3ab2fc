#include "CacheMain.h"

#include <windows.h>
#include <wininet.h>

#include <vector>

namespace {

constexpr DWORD kEntryBufferSize = 2048;

// An enumeration handle of the URL cache, closed when the step ends.
class CacheFind {
public:
    explicit CacheFind(HANDLE h) : h_(h) {}
    ~CacheFind() {
        if (h_) FindCloseUrlCache(h_);
    }
    CacheFind(const CacheFind&) = delete;
    CacheFind& operator=(const CacheFind&) = delete;
    HANDLE get() const { return h_; }
    explicit operator bool() const { return h_ != nullptr; }

private:
    HANDLE h_;
};

// Deletes every cache group with its entries; false when the purge must end.
bool DeleteGroups() {
    GROUPID group = 0;
    // A platform whose group functions are missing or stubs fails without
    // saying why; that counts as "not offered", not as a failure.
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    CacheFind find(FindFirstUrlCacheGroup(0, CACHEGROUP_SEARCH_ALL, nullptr, 0, &group, nullptr));
    if (!find) {
        const DWORD err = GetLastError();
        return err == ERROR_CALL_NOT_IMPLEMENTED || err == ERROR_FILE_NOT_FOUND;
    }
    for (;;) {
        SetLastError(0);
        if (!DeleteUrlCacheGroup(group, CACHEGROUP_FLAG_FLUSHURL_ONDELETE, nullptr) &&
            GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
            return false;
        // Normally ERROR_FILE_NOT_FOUND: no further group. Any other failure
        // ends the group step too instead of retrying the same handle forever.
        if (!FindNextUrlCacheGroup(find.get(), &group, nullptr)) return true;
    }
}

// An entry's description, in a buffer that grows to the size the cache
// asks for: a long address or many stored headers do not fit the first one.
class EntryBuffer {
public:
    INTERNET_CACHE_ENTRY_INFOA* get() { return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(storage_.data()); }
    // Calls `find(entry, &size)` until the entry fits; false when it fails
    // for another reason.
    template <class Find>
    bool Fill(Find&& find) {
        for (;;) {
            DWORD size = static_cast<DWORD>(storage_.size() * sizeof(DWORD));
            const DWORD offered = size;
            if (find(get(), &size)) return true;
            if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || size <= offered) return false;
            storage_.resize((size + sizeof(DWORD) - 1) / sizeof(DWORD));
        }
    }

private:
    std::vector<DWORD> storage_ = std::vector<DWORD>(kEntryBufferSize / sizeof(DWORD));
};

void DeleteEntries(const std::string& pattern, uint32_t keepMask) {
    EntryBuffer entry;
    // "*.*" means every entry. Some WinINet implementations compare a pattern
    // literally with the container prefixes ("", "Cookie:", "Visited:") and
    // would match nothing, so the wildcard is passed as no pattern at all;
    // the keep mask then spares the cookie and history entries it lists.
    const char* search = pattern == "*.*" ? nullptr : pattern.c_str();
    HANDLE first = nullptr;
    entry.Fill([&](INTERNET_CACHE_ENTRY_INFOA* e, DWORD* size) {
        first = FindFirstUrlCacheEntryA(search, e, size);
        return first != nullptr;
    });
    CacheFind find(first);
    if (!find) return;
    do {
        if ((entry.get()->CacheEntryType & keepMask) == 0 && entry.get()->lpszSourceUrlName)
            DeleteUrlCacheEntryA(entry.get()->lpszSourceUrlName);
    } while (entry.Fill([&](INTERNET_CACHE_ENTRY_INFOA* e, DWORD* size) {
        return FindNextUrlCacheEntryA(find.get(), e, size) != FALSE;
    }));
}

}  // namespace

void ClearUrlCache(const std::string& pattern, uint32_t keepMask) {
    if (DeleteGroups()) DeleteEntries(pattern, keepMask);
}

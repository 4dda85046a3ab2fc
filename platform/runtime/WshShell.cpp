#include "WshShell.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "RaisedError.h"
#include "RegistryPath.h"

namespace {

std::string Narrow(const std::wstring& s) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
    return out;
}

[[noreturn]] void Raise(const char* routine, LONG error, const std::wstring& what) {
    throw RaisedError(static_cast<uint32_t>(HRESULT_FROM_WIN32(static_cast<DWORD>(error))), std::string("WshShell.") + routine,
                      Narrow(what));
}

HKEY RootKey(const std::wstring& name) {
    if (name == L"HKEY_LOCAL_MACHINE") return HKEY_LOCAL_MACHINE;
    if (name == L"HKEY_CURRENT_USER") return HKEY_CURRENT_USER;
    if (name == L"HKEY_CLASSES_ROOT") return HKEY_CLASSES_ROOT;
    if (name == L"HKEY_USERS") return HKEY_USERS;
    return HKEY_CURRENT_CONFIG;
}

RegistryPath Split(const char* routine, const std::wstring& path) {
    auto p = SplitRegistryPath(path);
    if (!p) Raise(routine, ERROR_FILE_NOT_FOUND, L"Invalid root in registry key \"" + path + L"\".");
    return *p;
}

class OpenKey {
public:
    OpenKey(const RegistryPath& p, REGSAM access, bool create) {
        HKEY root = RootKey(p.root);
        result_ = create ? RegCreateKeyExW(root, p.key.c_str(), 0, nullptr, 0, access, nullptr, &key_, nullptr)
                         : RegOpenKeyExW(root, p.key.c_str(), 0, access, &key_);
    }
    ~OpenKey() {
        if (result_ == ERROR_SUCCESS) RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    LONG Result() const { return result_; }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
    LONG result_ = ERROR_INVALID_HANDLE;
};

}  // namespace

std::wstring WshShell::RegRead(const std::wstring& path) const {
    const RegistryPath p = Split("RegRead", path);
    const std::wstring failure = L"Unable to open registry key \"" + path + L"\" for reading.";
    const OpenKey key(p, KEY_QUERY_VALUE, false);
    if (key.Result() != ERROR_SUCCESS) Raise("RegRead", key.Result(), failure);
    DWORD type = 0, size = 0;
    LONG r = RegQueryValueExW(key.Get(), p.value.c_str(), nullptr, &type, nullptr, &size);
    if (r != ERROR_SUCCESS) Raise("RegRead", r, failure);
    std::vector<BYTE> data(size + sizeof(wchar_t));
    r = RegQueryValueExW(key.Get(), p.value.c_str(), nullptr, &type, data.data(), &size);
    if (r != ERROR_SUCCESS) Raise("RegRead", r, failure);
    switch (type) {
        case REG_SZ:
        case REG_EXPAND_SZ: {
            std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
            while (!text.empty() && text.back() == L'\0') text.pop_back();
            return text;
        }
        case REG_DWORD: {
            // Another program may have written fewer or more bytes than a number has.
            if (size != sizeof(DWORD)) return {};
            DWORD number = 0;
            memcpy(&number, data.data(), sizeof number);
            return std::to_wstring(number);
        }
        default: return {};
    }
}

void WshShell::RegWrite(const std::wstring& path, const std::wstring& value, const std::wstring& type) const {
    const RegistryPath p = Split("RegWrite", path);
    if (type != L"REG_SZ") Raise("RegWrite", ERROR_INVALID_PARAMETER, L"Invalid registry type \"" + type + L"\".");
    const std::wstring failure = L"Unable to save \"" + path + L"\".";
    const OpenKey key(p, KEY_SET_VALUE, true);
    if (key.Result() != ERROR_SUCCESS) Raise("RegWrite", key.Result(), failure);
    const LONG r = RegSetValueExW(key.Get(), p.value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    if (r != ERROR_SUCCESS) Raise("RegWrite", r, failure);
}

void WshShell::RegDelete(const std::wstring& path) const {
    const RegistryPath p = Split("RegDelete", path);
    const std::wstring failure = L"Unable to remove registry key \"" + path + L"\".";
    LONG r;
    if (p.isKey) {
        r = RegDeleteKeyW(RootKey(p.root), p.key.c_str());
    } else {
        const OpenKey key(p, KEY_SET_VALUE, false);
        r = key.Result() == ERROR_SUCCESS ? RegDeleteValueW(key.Get(), p.value.c_str()) : key.Result();
    }
    if (r != ERROR_SUCCESS) Raise("RegDelete", r, failure);
}

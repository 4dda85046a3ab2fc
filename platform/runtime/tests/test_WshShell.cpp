// The start-with-Windows value under the machine's "Run" key, read, written
// and deleted by full path in the real registry (of the test's Wine prefix).
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "RaisedError.h"
#include "RegistryPath.h"
#include "WshShell.h"

namespace {

const std::wstring kRunKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring TestName() { return L"OrvaneTest" + std::to_wstring(GetCurrentProcessId()); }

// What the registry itself holds: type and data, or nothing.
bool QueryRaw(HKEY root, const std::wstring& key, const std::wstring& name, DWORD& type, std::wstring& text) {
    wchar_t data[512] = L"";
    DWORD size = sizeof data;
    if (RegGetValueW(root, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size) != ERROR_SUCCESS)
        return false;
    text = data;
    return true;
}

uint32_t RaisedNumber(const std::function<void()>& f) {
    try {
        f();
    } catch (const RaisedError& e) {
        return e.Number();
    }
    return 0;
}

}  // namespace

TEST(RegistryPath, RootsKeysAndValues) {
    auto p = SplitRegistryPath(L"HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run\\Orvane");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->root, L"HKEY_LOCAL_MACHINE");
    EXPECT_EQ(p->key, kRunKey);
    EXPECT_EQ(p->value, L"Orvane");
    EXPECT_FALSE(p->isKey);
    p = SplitRegistryPath(L"hkey_current_user\\Software\\Orvane\\");
    ASSERT_TRUE(p);
    EXPECT_EQ(p->root, L"HKEY_CURRENT_USER");
    EXPECT_EQ(p->key, L"Software\\Orvane");
    EXPECT_TRUE(p->isKey);
    p = SplitRegistryPath(L"HKCU\\Name");  // a value directly below the root
    ASSERT_TRUE(p);
    EXPECT_EQ(p->key, L"");
    EXPECT_EQ(p->value, L"Name");
    EXPECT_FALSE(SplitRegistryPath(L"HKXX\\Software\\x"));
    EXPECT_FALSE(SplitRegistryPath(L"HKLM"));
    EXPECT_FALSE(SplitRegistryPath(L""));
}

TEST(WshShell, StartWithWindowsValueIsWrittenReadAndDeleted) {
    WshShell shell;
    const std::wstring path = L"HKLM\\" + kRunKey + L"\\" + TestName();
    const std::wstring program = L"C:\\游戏盒子\\Orvane.exe";
    const uint32_t notFound = static_cast<uint32_t>(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));

    // Absent: reading raises, which is how the settings learn there is none.
    EXPECT_EQ(RaisedNumber([&] { shell.RegRead(path); }), notFound);
    EXPECT_NE(RaisedNumber([&] { shell.RegDelete(path); }), 0u);

    shell.RegWrite(path, program, L"REG_SZ");
    DWORD type = 0;
    std::wstring raw;
    ASSERT_TRUE(QueryRaw(HKEY_LOCAL_MACHINE, kRunKey, TestName(), type, raw));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(raw, program);
    EXPECT_EQ(shell.RegRead(path), program);
    // The long root name and any letter case name the same value.
    EXPECT_EQ(shell.RegRead(L"hkey_local_machine\\" + kRunKey + L"\\" + TestName()), program);

    shell.RegDelete(path);
    EXPECT_FALSE(QueryRaw(HKEY_LOCAL_MACHINE, kRunKey, TestName(), type, raw));
    EXPECT_EQ(RaisedNumber([&] { shell.RegRead(path); }), notFound);
}

TEST(WshShell, AnyDataCountsAsPresentAndKeysAreMadeAndRemoved) {
    WshShell shell;
    const std::wstring key = L"Software\\" + TestName();
    // Written by someone else as a number: the read still succeeds.
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    const DWORD seven = 7;
    RegSetValueExW(h, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&seven), sizeof seven);
    RegCloseKey(h);
    EXPECT_EQ(shell.RegRead(L"HKCU\\" + key + L"\\Number"), L"7");
    shell.RegDelete(L"HKCU\\" + key + L"\\Number");
    // A number of another size than four bytes is other data, read as empty
    // text, never beyond its bytes.
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE, &h), ERROR_SUCCESS);
    const BYTE bytes[8] = {5, 1, 0, 0, 1, 0, 0, 0};
    for (DWORD size : {0u, 1u, 3u, 8u})
        RegSetValueExW(h, (L"Size" + std::to_wstring(size)).c_str(), 0, REG_DWORD, bytes, size);
    RegCloseKey(h);
    for (DWORD size : {0u, 1u, 3u, 8u}) {
        EXPECT_EQ(shell.RegRead(L"HKCU\\" + key + L"\\Size" + std::to_wstring(size)), L"") << size;
        shell.RegDelete(L"HKCU\\" + key + L"\\Size" + std::to_wstring(size));
    }

    // A write below a key that does not exist yet makes it.
    shell.RegWrite(L"HKCU\\" + key + L"\\Deeper\\Name", L"x");
    EXPECT_EQ(shell.RegRead(L"HKCU\\" + key + L"\\Deeper\\Name"), L"x");
    shell.RegDelete(L"HKCU\\" + key + L"\\Deeper\\Name");
    shell.RegDelete(L"HKCU\\" + key + L"\\Deeper\\");
    shell.RegDelete(L"HKCU\\" + key + L"\\");
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &h), ERROR_SUCCESS);

    // Bad roots and other types are refused without touching the registry.
    EXPECT_NE(RaisedNumber([&] { shell.RegWrite(L"HKXX\\Software\\x", L"1"); }), 0u);
    EXPECT_NE(RaisedNumber([&] { shell.RegWrite(L"HKCU\\" + key + L"\\Bin", L"1", L"REG_BINARY"); }), 0u);
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &h), ERROR_SUCCESS);
}

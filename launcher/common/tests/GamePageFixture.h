// Real surroundings for the catalogue and game pages: a program folder of
// their own (sqlite3.dll, a fresh npGameData.DLL, Jpgs, Games, skins), the
// portal on 127.0.0.1, a real tab strip in a window, message boxes and the
// calls into other windows recorded.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "CTabItems.h"
#include "ITabForm.h"
#include "MainGameLinks.h"
#include "MsgBox.h"
#include "PlainWindow.h"
#include "Pump.h"
#include "Settings.h"
#include "SqlText.h"
#include "StbTabSkin.h"
#include "TempDir.h"
#include "TestHttpServer.h"
#include "UtfToGb.h"
#include "WebBrowser.h"
#include "mSqlite.h"
#include "test_paths.h"
#include "uTab.h"

inline std::string Utf8(const std::wstring& text) { return StringToUtf8(text); }

// A page that only holds a window: the other tabs of the strip, and the
// Flash page a game page hands its tab to (with the arguments it was given).
class PlainPage : public ITabForm {
public:
    explicit PlainPage(std::vector<std::wstring> args = {})
        : args(std::move(args)), hwnd_(MakePlainWindow({.title = L"plain", .x = 0, .y = 0, .cx = 200, .cy = 100})) {}
    ~PlainPage() override {
        if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    }
    HWND hwnd() const override { return hwnd_; }
    void Initialize(IuTab*, CTabItem*) override {}
    void Unload() override { DestroyWindow(hwnd_); }
    std::vector<std::wstring> args;

private:
    HWND hwnd_;
};

class GamePageTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetDllDirectoryW(kDistDir);
        const std::wstring dist = kDistDir;
        ASSERT_TRUE(CopyFileW((dist + L"sqlite3.dll").c_str(), folder.File(L"sqlite3.dll").c_str(), FALSE));
        ASSERT_TRUE(CopyFileW((dist + L"npGameData.DLL").c_str(), folder.File(L"npGameData.DLL").c_str(), FALSE));
        CreateDirectoryW(folder.File(L"Jpgs").c_str(), nullptr);
        CreateDirectoryW(folder.File(L"Games").c_str(), nullptr);
        CreateDirectoryW(folder.File(L"Skin").c_str(), nullptr);
        CopyTree(dist + L"Skin\\DefaultSkin", folder.File(L"Skin\\DefaultSkin"));
        GetCurrentDirectoryW(MAX_PATH, oldDir_);
        SetCurrentDirectoryW(folder.Path().c_str());  // the database is opened by its bare name
        WriteSettings(folder.Path());
        PortalUrl = server.BaseUrlW();

        oldMsgBox_ = MsgBoxHook();
        MsgBoxHook() = [this](const std::wstring& prompt, UINT, const std::wstring&) {
            messages.push_back(prompt);
            return IDOK;
        };
        GamePageLinks().Image_Flash_Run = [this](const std::wstring& name) { calls.push_back(L"Run " + name); };
        GamePageLinks().Image_Flash_Add = [this](const std::wstring& name, const std::wstring& run) {
            calls.push_back(L"Add " + name + L" " + run);
            if (onAdd) onAdd();
        };
        GamePageLinks().NewFlashGame = [this](const std::wstring& name, const std::wstring& intro,
                                              const std::wstring& swf) {
            calls.push_back(L"Flash " + name);
            flash = std::make_shared<PlainPage>(std::vector<std::wstring>{name, intro, swf});
            return flash;
        };

        parent = MakePlainWindow({.title = L"main", .style = WS_POPUP | WS_VISIBLE, .x = 40, .y = 40, .cx = 800, .cy = 600});
        container = MakePlainWindow({.style = WS_CHILD | WS_VISIBLE, .parent = parent, .x = 0, .y = 0, .cx = 0, .cy = 0});
        SetWindowPos(container, nullptr, 4, 34, 791, 550, SWP_NOZORDER);
        strip = std::make_unique<uTab>(uTab::Variant{std::make_unique<StbTabSkin>(kDistDir)});
        ASSERT_TRUE(strip->Create(parent, 45, 8, 660));
        strip->hContainerWnd(container);
        strip->LockReDraw(false);
    }

    void TearDown() override {
        strip.reset();
        DestroyWindow(parent);
        GamePageLinks() = {};
        MsgBoxHook() = oldMsgBox_;
        SetCurrentDirectoryW(oldDir_);
    }

    static void CopyTree(const std::wstring& from, const std::wstring& to) {
        std::error_code ec;
        std::filesystem::copy(std::filesystem::path(from), std::filesystem::path(to),
                              std::filesystem::copy_options::recursive, ec);
    }

    // Every file and folder below the program folder, each file with its
    // size and a hash of its bytes (the library's rows among them), for
    // "nothing changed".
    std::map<std::wstring, std::string> Snapshot() const {
        std::map<std::wstring, std::string> files;
        const std::filesystem::path root(folder.Path());
        for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
            const std::wstring relative = e.path().lexically_relative(root).wstring();
            const std::string bytes = e.is_regular_file() ? ReadFile(relative) : "";
            files[relative] = e.is_regular_file() ? std::to_string(bytes.size()) + " bytes, hash " +
                                                        std::to_string(std::hash<std::string>{}(bytes))
                                                  : "folder";
        }
        return files;
    }
    std::string ReadFile(const std::wstring& relative) const {
        std::ifstream in(std::filesystem::path(folder.File(relative)), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    void WriteFileBytes(const std::wstring& relative, const std::string& bytes) const {
        std::ofstream(std::filesystem::path(folder.File(relative)), std::ios::binary) << bytes;
    }
    bool Exists(const std::wstring& relative) const {
        return GetFileAttributesW(folder.File(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    // The short (8.3) name the system gives a file below the program folder,
    // without its extension: a game of that name would take the file for its
    // own. Empty when the system gives the file no other name.
    std::wstring ShortStem(const std::wstring& relative) const {
        const std::wstring path = folder.File(relative);
        wchar_t shortPath[MAX_PATH] = {};
        const DWORD n = GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
        if (n == 0 || n >= MAX_PATH || path == shortPath) return L"";
        const std::wstring name = std::filesystem::path(shortPath).filename().wstring();
        return name.substr(0, name.rfind(L'.'));
    }

    // Rows of Games as text, columns 1..6 (name and introduction decoded).
    std::vector<std::vector<std::wstring>> GameRows() {
        std::vector<std::vector<std::wstring>> rows;
        intptr_t db = 0, stmt = 0, tail = 0;
        EXPECT_EQ(SqliteStartup(AppDir), 0);
        EXPECT_EQ(SqliteOpen(DbFileName, db), 0);
        EXPECT_EQ(SqlitePrepare(db, L"Select * From Games order by G_DateTime desc", 0, stmt, tail), 0);
        while (SqliteStep(stmt) == SQLITE_ROW_) {
            std::vector<std::wstring> row;
            for (int c = 1; c <= 6; ++c) row.push_back(SqliteColumnText(stmt, c));
            row[0] = Utf8UrlDecode(row[0]);
            row[1] = Utf8UrlDecode(row[1]);
            rows.push_back(row);
        }
        SqliteFinalize(stmt);
        SqliteClose(db);
        SqliteShutdown();
        return rows;
    }
    void AddRow(const std::wstring& name, const std::wstring& wUrl, int type) {
        intptr_t db = 0;
        ASSERT_EQ(SqliteStartup(AppDir), 0);
        ASSERT_EQ(SqliteOpen(DbFileName, db), 0);
        ASSERT_EQ(SqliteExec(db, L"Insert Into Games(G_Name,W_Url,G_Type,G_Favorite) Values('" + SqlText(name) +
                                     L"','" + wUrl + L"'," + std::to_wstring(type) + L",1)"),
                  0);
        SqliteClose(db);
        SqliteShutdown();
    }

    // Two plain tabs, as the main window's first two pages.
    void AddFirstTabs() {
        for (const wchar_t* caption : {L"我的盒子", L"找游戏"}) {
            auto page = std::make_shared<PlainPage>();
            others.push_back(page);
            strip->TabItems().Add(caption, page);
        }
    }

    // A page of the portal whose one link sends the command.
    static HttpResponse CommandPage(const std::wstring& link, const char* title = "Game") {
        return TestHttpServer::Text(std::string("<html><head><title>") + title + "</title></head><body><p>x</p>" +
                                    "<a href=\"" + Utf8(link) + "\" target=\"_blank\">go</a></body></html>");
    }

    // Waits until the view shows the address, then activates its first link
    // from the keyboard, as a user tabbing to it and pressing Enter.
    static bool ActivateFirstLink(WebBrowser& view, const std::wstring& address) {
        if (!PumpUntil([&] { return view.Document()->Url() == address; }, 20000)) return false;
        PumpFor(50);
        SendMessageW(view.hwnd(), WM_KEYDOWN, VK_TAB, 0);
        SendMessageW(view.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
        return true;
    }

    static std::string Bytes(size_t size, char seed) {
        std::string body(size, '\0');
        for (size_t i = 0; i < size; ++i) body[i] = static_cast<char>(seed + i * 13 + i / 97);
        return body;
    }
    // A thumbnail the program shows: a GIF of one pixel, its colour made from
    // the seed, followed by bytes made from the seed up to `size` (a decoder
    // stops at the picture's end).
    static std::string Picture(char seed, size_t size = 0) {
        const char colour[] = {seed, static_cast<char>(seed * 3), static_cast<char>(seed * 7)};
        const std::string gif =
            std::string("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13) + std::string(colour, 3) +
            std::string("\x00\x00\x00\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B", 19);
        return size > gif.size() ? gif + Bytes(size - gif.size(), seed) : gif;
    }
    // A movie of `size` bytes (at least 8) as the player takes it: an
    // uncompressed Flash header, then bytes made from the seed.
    static std::string Movie(size_t size, char seed) {
        std::string movie = "FWS\x0A";
        for (int shift = 0; shift < 32; shift += 8) movie += static_cast<char>((size >> shift) & 0xFF);
        return movie + Bytes(size - movie.size(), seed);
    }

    TestHttpServer server;
    TempDir folder;
    HWND parent = nullptr, container = nullptr;
    std::unique_ptr<uTab> strip;
    std::vector<std::shared_ptr<ITabForm>> others;
    std::vector<std::wstring> messages, calls;
    std::shared_ptr<PlainPage> flash;
    std::function<void()> onAdd;

private:
    MsgBoxHandler oldMsgBox_;
    wchar_t oldDir_[MAX_PATH] = {};
};

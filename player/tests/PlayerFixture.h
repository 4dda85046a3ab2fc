// The player's window started in the test process against pages served on
// 127.0.0.1, with message boxes and the program's end recorded.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "App.h"
#include "MsgBox.h"
#include "Pump.h"
#include "TestHttpServer.h"
#include "WebMainFrm.h"
#include "WebUrl.h"
#include "WindowRects.h"
#include "test_paths.h"

class PlayerFixture : public ::testing::Test {
protected:
    void SetUp() override {
        SetDllDirectoryW(kDistDir);
        for (const char* name : {"a", "b", "c"})
            http.Route(std::string("/") + name,
                       TestHttpServer::Text(std::string("<html><head><title>Game ") + name +
                                            "</title></head><body>" + name + "</body></html>"));
        savedMsgBox = MsgBoxHook();
        savedEnd = EndHook();
        MsgBoxHook() = [this](const std::wstring& prompt, UINT, const std::wstring&) {
            messages.push_back(prompt);
            return IDOK;
        };
        EndHook() = [this] { ++ends; };
    }
    void TearDown() override {
        if (frm && frm->Loaded()) frm->Unload();
        frm.reset();
        MsgBoxHook() = savedMsgBox;
        EndHook() = savedEnd;
    }

    std::wstring Url(const char* path) const { return http.BaseUrlW() + L"/" + std::wstring(path, path + strlen(path)); }
    void Start(const std::wstring& commandLine, const std::wstring& folder = kDistDir) {
        frm = std::make_unique<WebMainFrm>(commandLine, folder);
        frm->Show();
    }
    CTabItems& Tabs() { return (*frm->WebuTab).TabItems(); }
    std::vector<std::wstring> Captions() {
        std::vector<std::wstring> out;
        for (long i = 0; i < Tabs().Count(); ++i) out.push_back(Tabs().Item(i)->Caption());
        return out;
    }
    WebUrl& Page(long i) { return dynamic_cast<WebUrl&>(*Tabs().Item(i)->Form()); }
    // The control's place in the form's client area, pixels.
    RECT Place(HWND control) { return RectIn(control, frm->hWnd()); }
    // A press of Enter on an image button is a click.
    static void Press(iButton& button) { SendMessageW(button.hwnd(), WM_KEYDOWN, VK_RETURN, 0); }

    TestHttpServer http;
    std::unique_ptr<WebMainFrm> frm;
    std::vector<std::wstring> messages;
    int ends = 0;

private:
    MsgBoxHandler savedMsgBox;
    std::function<void()> savedEnd;
};

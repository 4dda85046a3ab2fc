// A stand-in main window for the Flash game page's tests: a form with a tab
// strip over a page container, bound as the main window the page maximises,
// shows and tells IsResize. Two plain pages fill tabs 0 and 1.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "FlashGame.h"
#include "FlashGameMain.h"
#include "Form.h"
#include "PictureBox.h"
#include "Pump.h"
#include "Settings.h"
#include "StbTabSkin.h"
#include "TabTestSupport.h"
#include "test_paths.h"
#include "uTab.h"

inline std::wstring DistFolder() {
    std::wstring d = kDistDir;
    d.pop_back();
    return d;
}

class HostMain : public Form {
public:
    HostMain() {
        Caption(L"host main");
        BorderStyle(FormBorderStyleConstants::None);
        Move(30 * 15, 30 * 15, 801 * 15, 589 * 15);
        Container.Move(0, 600, 11880, 9270);
    }
    PictureBox Container{*this};
    std::wstring IsResize = L"0";
};

class FlashHostTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SetDllDirectoryW(kDistDir); }

    void SetUp() override {
        WriteSettings(DistFolder());
        main.Show();
        FlashGameMain() = {&main, &main.IsResize};
        strip = std::make_unique<uTab>(uTab::Variant{std::make_unique<StbTabSkin>(kDistDir)});
        ASSERT_TRUE(strip->Create(main.hWnd(), 0, 0, 801));
        strip->hContainerWnd(main.Container.hWnd());
        for (const wchar_t* caption : {L"我的盒子", L"找游戏"}) {
            auto page = std::make_shared<TestPage>(caption);
            plain.push_back(page);
            strip->TabItems().Add(caption, page, caption);
        }
        strip->LockReDraw(false);
    }

    void TearDown() override {
        if (page && page->Loaded()) page->Unload();
        page.reset();
        strip.reset();
        main.Unload();
        FlashGameMain() = {};
    }

    // Creates a page the way the creators do: URL, then a tab keyed by the
    // game name, selected.
    void Open(const std::wstring& name, const std::wstring& introduce = L"", const std::wstring& swf = L"") {
        page = std::make_shared<FlashGame>();
        page->URL(name, introduce, swf);
        strip->TabItems().Add(name, page, name);
        strip->Selected(strip->TabItems().Count() - 1);
        PumpFor(50);
    }

    // A component's place in twips of its parent's client area.
    static RECT Twips(HWND control) {
        RECT r;
        GetWindowRect(control, &r);
        if (GetWindowLongW(control, GWL_STYLE) & WS_CHILD)
            MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
        return {r.left * 15, r.top * 15, (r.right - r.left) * 15, (r.bottom - r.top) * 15};  // left, top, width, height
    }

    HostMain main;
    std::unique_ptr<uTab> strip;
    std::vector<std::shared_ptr<TestPage>> plain;
    std::shared_ptr<FlashGame> page;
};

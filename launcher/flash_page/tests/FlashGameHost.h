// The Flash game page's tests run it where the launcher runs it: in the tab
// strip of the real main window, after "我的盒子" and "找游戏", with the
// settings pointing at the assembled program folder.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "CTabItems.h"
#include "FlashGame.h"
#include "LauncherEnv.h"
#include "MainFrm.h"
#include "Pump.h"
#include "uTab.h"

class FlashHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        main.Show();
        PumpFor(30);
        ASSERT_EQ(Tabs().Count(), 2);
    }

    void TearDown() override {
        if (page && page->Loaded()) page->Unload();
        page.reset();
        main.Unload();
    }

    uTab& Strip() { return *main.frmuTab; }
    CTabItems& Tabs() { return Strip().TabItems(); }

    // Creates a page the way the creators do: URL, then a tab keyed by the
    // game name, selected.
    void Open(const std::wstring& name, const std::wstring& introduce = L"", const std::wstring& swf = L"") {
        page = std::make_shared<FlashGame>();
        page->URL(name, introduce, swf);
        Tabs().Add(name, page, name);
        Strip().Selected(Tabs().Count() - 1);
        PumpFor(30);
    }
    // Closes the page through its tab, as the tab's close button does.
    void Close(const std::wstring& name) { Tabs().Remove(name); }

    // A component's place in twips of its parent's client area, as left,
    // top, width, height in the RECT's four fields.
    static RECT Twips(HWND control) {
        RECT r;
        GetWindowRect(control, &r);
        if (GetWindowLongW(control, GWL_STYLE) & WS_CHILD)
            MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
        return {r.left * 15, r.top * 15, (r.right - r.left) * 15, (r.bottom - r.top) * 15};
    }

    LauncherEnv env;
    MainFrm& main = TheMainFrm();
    std::shared_ptr<FlashGame> page;
};

// The launcher's tab strip skin: "MainMenu.png" (style 0) and
// "PellowMenu.png" (style 1) drawn with alpha through stbimage.dll. A sheet
// that cannot be loaded draws nothing.
#pragma once
#include <string>

#include "App.h"
#include "TabSkin.h"

class StbTabSkin : public TabSkin {
public:
    // The sheets lie below baseFolder\"skin\DefaultSkin\" (the program's folder by default).
    explicit StbTabSkin(const std::wstring& baseFolder = App::Path());
    ~StbTabSkin() override;
    StbTabSkin(const StbTabSkin&) = delete;
    StbTabSkin& operator=(const StbTabSkin&) = delete;

    void DrawBackground(HDC hDC, long style, long w, long h) override;
    void DrawTab(HDC hDC, long style, TabStripLayout::TabCell cell, const TabStripLayout::Rect& rc) override;
    void DrawClose(HDC hDC, long style, TabStripLayout::CloseCell cell, long x, long y) override;

private:
    int Sheet(long style) const { return style == 1 ? altSheet_ : mainSheet_; }

    int mainSheet_ = 0;
    int altSheet_ = 0;
};

// The player's tab strip skin: "MainMenu.bmp" (style 0) and "PellowMenu.bmp"
// (style 1) kept selected in memory DCs and drawn with GDI, magenta being
// transparent in tab and close cells. Its style-1 strip is 32 pixels high:
// the tab cells keep their 26 pixels and the background fills the rest.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <tuple>

#include "App.h"
#include "RaisedError.h"
#include "TabSkin.h"
#include "mdlTabAPI.h"

// A sheet the strip cannot do without could not be loaded.
class SkinFileError : public RaisedError {
public:
    SkinFileError(uint32_t number, const std::string& description, std::wstring path)
        : RaisedError(number, "uTab", description), path_(std::move(path)) {}
    // The file as the program tried to read it.
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

class BitmapTabSkin : public TabSkin {
public:
    // The sheets lie below baseFolder\"skin\DefaultSkin\". Both are required:
    // a missing or unreadable one raises SkinFileError.
    explicit BitmapTabSkin(const std::wstring& baseFolder = App::Path());

    long StripHeight(long style) const override { return style == 1 ? 32 : 25; }
    void DrawBackground(HDC hDC, long style, long w, long h) override;
    void DrawTab(HDC hDC, long style, TabStripLayout::TabCell cell, const TabStripLayout::Rect& rc) override;
    void DrawClose(HDC hDC, long style, TabStripLayout::CloseCell cell, long x, long y) override;

private:
    HDC Sheet(long style) const { return style == 1 ? altSheet_.get() : mainSheet_.get(); }
    // Draws at x, y the w x h picture `compose` draws, its magenta left out.
    // The picture is made once per key and kept with its magenta as
    // transparent pixels, so that drawing it is one AlphaBlend.
    // (TransparentBlt makes a DC compatible with the screen at each call,
    // which under Wine reads the display configuration each time.)
    using Key = std::tuple<long, int, int, long, long>;
    void DrawKeyed(HDC hDC, long x, long y, long w, long h, const Key& key, const std::function<void(HDC)>& compose);

    UniqueMemDC mainSheet_;
    UniqueMemDC altSheet_;
    // Every tab of a strip is drawn at each redraw, most of them in the same
    // cell at the same size.
    std::map<Key, UniqueMemDC> keyed_;
};

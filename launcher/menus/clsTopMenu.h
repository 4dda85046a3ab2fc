// One item of the launcher's owner-drawn popup menus: its command id,
// caption, size and icon, and the painter that draws it in the flat style
// (icon strip, white item area, framed blue highlight, thin separators).
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

class StdPicture;

class clsTopMenu {
public:
    int32_t MenuID() const { return id_; }
    // Empty for a separator.
    const std::wstring& Caption() const { return caption_; }
    int16_t Width() const { return width_; }
    int16_t Height() const { return height_; }
    HICON Icon() const { return icon_; }
    // False draws the caption greyed.
    bool Enabled() const { return enabled_; }
    void Enabled(bool value) { enabled_ = value; }
    // True draws the check picture in place of the icon.
    bool Selected() const { return selected_; }
    void Selected(bool value) { selected_ = value; }

    // `hIcon` is borrowed: the picture that holds it outlives the menu.
    void InitMenu(int32_t nMenuID, const std::wstring& sCaption, int16_t nWidth, int16_t nHeight, HICON hIcon);
    // Keeps one draw request (WM_DRAWITEM's fields) for DrawMenu.
    void InitStruct(HDC hDC, int32_t nAction, int32_t nID, int32_t nState, int32_t nLeft, int32_t nTop,
                    int32_t nBottom, int32_t nRight);
    // Paints the kept request. `check` is the check picture for a Selected item.
    void DrawMenu(const StdPicture* check) const;

private:
    void DrawIcon(const StdPicture* check) const;
    void DrawCaption(COLORREF colour) const;

    int32_t id_ = 0;
    std::wstring caption_;
    int16_t width_ = 0, height_ = 0;
    HICON icon_ = nullptr;
    bool enabled_ = true;
    bool selected_ = false;
    struct {
        HDC dc = nullptr;
        int32_t action = 0, id = 0, state = 0;
        RECT rect{};
    } draw_;
};

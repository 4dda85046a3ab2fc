// Font property of the skinned controls: a value that can be compared,
// kept in a property bag as text, and turned into a GDI font.
#pragma once
#include <windows.h>

#include <string>

struct ControlFont {
    std::wstring name = L"宋体";
    double size = 9;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    bool operator==(const ControlFont&) const = default;

    // The font a window uses (WM_GETFONT), or the system's GUI font.
    static ControlFont OfWindow(HWND hwnd);
    // "name|size|bold|italic|underline|strikethrough"; unreadable text gives the default font.
    std::wstring ToText() const;
    static ControlFont FromText(const std::wstring& text);
};

// A GDI font made from a ControlFont, deleted with the object.
class ScopedFont {
public:
    explicit ScopedFont(const ControlFont& font);
    ~ScopedFont();
    ScopedFont(const ScopedFont&) = delete;
    ScopedFont& operator=(const ScopedFont&) = delete;
    HFONT get() const { return font_; }

private:
    HFONT font_;
};

// Selects a GDI object into a device context for the lifetime of the object.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~ScopedSelect() { SelectObject(dc_, old_); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

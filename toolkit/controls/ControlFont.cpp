#include "ControlFont.h"

#include <cmath>
#include <sstream>
#include <vector>

namespace {

int PointsToHeight(double points) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return -static_cast<int>(std::lround(points * dpi / 72.0));
}

double HeightToPoints(LONG height) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return std::abs(height) * 72.0 / dpi;
}

}  // namespace

ControlFont ControlFont::OfWindow(HWND hwnd) {
    HFONT font = hwnd ? reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)) : nullptr;
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW lf{};
    if (!GetObjectW(font, sizeof lf, &lf)) return {};
    ControlFont f;
    f.name = lf.lfFaceName;
    f.size = std::round(HeightToPoints(lf.lfHeight) * 4) / 4;
    f.bold = lf.lfWeight >= FW_BOLD;
    f.italic = lf.lfItalic != 0;
    f.underline = lf.lfUnderline != 0;
    f.strikethrough = lf.lfStrikeOut != 0;
    return f;
}

std::wstring ControlFont::ToText() const {
    std::wostringstream out;
    out << name << L'|' << size << L'|' << bold << L'|' << italic << L'|' << underline << L'|' << strikethrough;
    return out.str();
}

ControlFont ControlFont::FromText(const std::wstring& text) {
    std::vector<std::wstring> parts;
    std::wistringstream in(text);
    for (std::wstring part; std::getline(in, part, L'|');) parts.push_back(part);
    ControlFont f;
    if (parts.size() != 6) return f;
    try {
        f.name = parts[0];
        f.size = std::stod(parts[1]);
        f.bold = parts[2] == L"1";
        f.italic = parts[3] == L"1";
        f.underline = parts[4] == L"1";
        f.strikethrough = parts[5] == L"1";
    } catch (...) {
        return ControlFont{};
    }
    return f;
}

ScopedFont::ScopedFont(const ControlFont& f) {
    LOGFONTW lf{};
    lf.lfHeight = PointsToHeight(f.size);
    lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = f.italic;
    lf.lfUnderline = f.underline;
    lf.lfStrikeOut = f.strikethrough;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(lf.lfFaceName, f.name.c_str(), LF_FACESIZE);
    font_ = CreateFontIndirectW(&lf);
}

ScopedFont::~ScopedFont() {
    if (font_) DeleteObject(font_);
}

// A solid brush made again whenever its colour changes, deleted with its owner.
#pragma once
#include <windows.h>

class SolidBrush {
public:
    SolidBrush() = default;
    ~SolidBrush() { Reset(); }
    SolidBrush(const SolidBrush&) = delete;
    SolidBrush& operator=(const SolidBrush&) = delete;

    HBRUSH Get(COLORREF color) {
        if (!brush_ || color != color_) {
            Reset();
            brush_ = CreateSolidBrush(color);
            color_ = color;
        }
        return brush_;
    }

private:
    void Reset() {
        if (brush_) DeleteObject(brush_);
        brush_ = nullptr;
    }
    HBRUSH brush_ = nullptr;
    COLORREF color_ = 0;
};

// Draws a frame's laid-out page: background colour, text runs, pictures,
// rules, the first frame inside its box, and the focus mark of a link.
#pragma once
#include <windows.h>

#include <functional>

#include "WebFonts.h"
#include "WebFrame.h"
#include "WebImage.h"

struct PaintContext {
    HDC dc = nullptr;
    const WebFonts* fonts = nullptr;
    std::function<const WebBitmap*(const WebFrame&, const HtmlNode& img)> image;
    const HtmlNode* focusLink = nullptr;  // drawn with a focus rectangle
};

// Paints `frame` with its view's top-left corner at (left, top), inside `clip`.
void PaintFrame(const PaintContext& pc, const WebFrame& frame, int left, int top, const RECT& clip);

// A memory bitmap the size of the window, copied onto the target when it ends.
class BackBuffer {
public:
    BackBuffer(HDC target, int cx, int cy);
    ~BackBuffer();
    BackBuffer(const BackBuffer&) = delete;
    BackBuffer& operator=(const BackBuffer&) = delete;
    HDC dc() const { return old_ ? mem_ : nullptr; }

private:
    HDC target_;
    int cx_, cy_;
    HDC mem_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

// How the browser view is made when a form holds it (Hosted<WebBrowser>).
#pragma once
#include <memory>

#include "Hosted.h"
#include "WebBrowser.h"

template <>
struct HostTraits<WebBrowser> {
    static std::unique_ptr<WebBrowser> Make(HWND parent, const RECT& r) {
        auto w = std::make_unique<WebBrowser>();
        if (!w->Create({parent, r.left, r.top, r.right - r.left, r.bottom - r.top, false})) return nullptr;
        return w;
    }
};

// How the Flash view is made when a form holds it (Hosted<ShockwaveFlash>).
#pragma once
#include <memory>

#include "Hosted.h"
#include "ShockwaveFlash.h"

template <>
struct HostTraits<ShockwaveFlash> {
    static std::unique_ptr<ShockwaveFlash> Make(HWND parent, const RECT& r) {
        return std::make_unique<ShockwaveFlash>(
            ShockwaveFlash::CreateArgs{parent, r.left, r.top, r.right - r.left, r.bottom - r.top});
    }
};

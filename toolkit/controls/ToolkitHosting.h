// How the toolkit's controls are made when a form holds them (Hosted<iButton>,
// Hosted<BForm>, Hosted<ProgressBar>, Hosted<uTab>): each starts from the
// property defaults, as a control left at its defaults is read at load.
#pragma once
#include <memory>

#include "BForm.h"
#include "Hosted.h"
#include "ProgressBar.h"
#include "iButton.h"
#include "uTab.h"

// The image button, the bar and the progress bar are made the same way: their
// creation arguments take the place, then the defaults are read in.
template <class Control>
struct ToolkitHostTraits {
    static std::unique_ptr<Control> Make(HWND parent, const RECT& r) {
        typename Control::CreateArgs args;
        args.parent = parent;
        args.x = r.left;
        args.y = r.top;
        args.cx = r.right - r.left;
        // The bar has no height to set: it is always 500 twips.
        if constexpr (requires { args.cy; }) args.cy = r.bottom - r.top;
        auto c = std::make_unique<Control>(args);
        if (c->hwnd()) c->ReadProperties(PropertyBag{});
        return c;
    }
};

template <>
struct HostTraits<iButton> : ToolkitHostTraits<iButton> {};
template <>
struct HostTraits<BForm> : ToolkitHostTraits<BForm> {};
template <>
struct HostTraits<ProgressBar> : ToolkitHostTraits<ProgressBar> {};

template <>
struct HostTraits<uTab> {
    // The strip's height is its skin's; `variant` is the player's drawing and
    // `saved` the strip's stored properties ("TabStyle", ...).
    static std::unique_ptr<uTab> Make(HWND parent, const RECT& r, uTab::Variant variant = {},
                                      const PropertyBag& saved = {}) {
        auto t = std::make_unique<uTab>(std::move(variant));
        if (!t->Create(parent, r.left, r.top, r.right - r.left, saved)) return nullptr;
        return t;
    }
};

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

template <>
struct HostTraits<iButton> {
    static std::unique_ptr<iButton> Make(HWND parent, const RECT& r) {
        auto b = std::make_unique<iButton>(iButton::CreateArgs{parent, r.left, r.top, r.right - r.left, r.bottom - r.top});
        if (b->hwnd()) b->ReadProperties(PropertyBag{});
        return b;
    }
};

template <>
struct HostTraits<BForm> {
    // The bar's height is its own (500 twips); only the width is taken.
    static std::unique_ptr<BForm> Make(HWND parent, const RECT& r) {
        BForm::CreateArgs args;
        args.parent = parent;
        args.x = r.left;
        args.y = r.top;
        args.cx = r.right - r.left;
        auto f = std::make_unique<BForm>(args);
        if (f->hwnd()) f->ReadProperties(PropertyBag{});
        return f;
    }
};

template <>
struct HostTraits<ProgressBar> {
    static std::unique_ptr<ProgressBar> Make(HWND parent, const RECT& r) {
        ProgressBar::CreateArgs args;
        args.parent = parent;
        args.x = r.left;
        args.y = r.top;
        args.cx = r.right - r.left;
        args.cy = r.bottom - r.top;
        auto p = std::make_unique<ProgressBar>(args);
        if (p->hwnd()) p->ReadProperties(PropertyBag{});
        return p;
    }
};

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

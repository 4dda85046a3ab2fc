// Small owners for GDI objects made during one paint: the object is deleted
// when the owner goes out of scope (a selection is undone by the toolkit's
// ScopedSelect).
#pragma once
#include <windows.h>

#include "ControlFont.h"

// Owns a brush, pen, font, bitmap or region.
template <class H>
class ScopedGdiObject {
public:
    explicit ScopedGdiObject(H handle) : handle_(handle) {}
    ~ScopedGdiObject() {
        if (handle_) DeleteObject(handle_);
    }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    H get() const { return handle_; }

private:
    H handle_;
};

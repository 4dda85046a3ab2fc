// Small owners for GDI objects made during one paint: the object is deleted,
// and a selection undone, when the owner goes out of scope.
#pragma once
#include <windows.h>

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

// Selects an object into a device context for the owner's lifetime.
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

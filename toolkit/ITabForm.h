// What a window must offer to be shown as a page of the tab strip.
#pragma once
#include <windows.h>

class IuTab;
class CTabItem;

class ITabForm {
public:
    virtual ~ITabForm() = default;
    // The page's top-level window; the strip makes it a child of its container.
    virtual HWND hwnd() const = 0;
    // Called whenever the page is bound to a tab, possibly more than once per
    // tab and before the tab is in the collection: store both, nothing more.
    // Neither pointer keeps its object alive.
    virtual void Initialize(IuTab* Implement, CTabItem* Item) = 0;
    // Closes the page (runs its unload and destroys its window).
    virtual void Unload() = 0;
};

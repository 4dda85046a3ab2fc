// What a window must offer to be shown as a page of the tab strip.
#pragma once
#include <windows.h>

class IuTab;
class CTabItem;

class ITabForm {
public:
    ITabForm() = default;
    // Forgets the tab it is bound to, so the tab never calls a freed page.
    virtual ~ITabForm();
    ITabForm(const ITabForm&) = delete;
    ITabForm& operator=(const ITabForm&) = delete;

    // The page's top-level window; the strip makes it a child of its container.
    virtual HWND hwnd() const = 0;
    // Called whenever the page is bound to a tab, possibly more than once per
    // tab and before the tab is in the collection: store both, nothing more.
    // Neither pointer keeps its object alive. When the tab goes (removed,
    // released, cleared, its strip destroyed), the page is called once more
    // with both empty, after its unload when the tab closed it: a page checks
    // for an empty item before it writes its caption.
    virtual void Initialize(IuTab* Implement, CTabItem* Item) = 0;
    // Closes the page (runs its unload and destroys its window).
    virtual void Unload() = 0;

private:
    friend class CTabItem;
    CTabItem* boundItem_ = nullptr;  // the tab whose references this page holds
};

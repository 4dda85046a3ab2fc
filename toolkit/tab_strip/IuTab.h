// What the tab host (the tab strip) offers to its tab collection and, through
// TabItems, to the pages. Indexes are 0-based.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "TabIndex.h"

class CTabItem;
class CTabItems;
class ITabForm;
class uTab;

class IuTab {
public:
    virtual ~IuTab() = default;
    // A tab was inserted (already at its final index): attach its page,
    // make sure a tab is selected, lay out and redraw.
    virtual void Add(const std::wstring& Caption, ITabForm* Form, const std::wstring& Key,
                     const std::optional<TabIndex>& index) = 0;
    // Asks the owner; false keeps the tab.
    virtual bool BeforeRemove(long index) = 0;
    // The tab at index has left the collection.
    virtual void Remove(const TabIndex& index) = 0;
    virtual void Clear() = 0;
    virtual void Redraw(bool bUpdate) = 0;
    // Item received (another) page.
    virtual void ChangeForm(CTabItem* Item, ITabForm* Form) = 0;
    virtual long Selected() const = 0;
    virtual void Selected(long NewValue) = 0;
    virtual CTabItems& TabItems() = 0;
    virtual HWND hwnd() const = 0;
    // The window containing the strip; nullptr when it cannot be read.
    virtual HWND hParent() const = 0;
    virtual uTab& Control() = 0;
};

// The ordered, keyed collection of a tab strip's tabs (0-based positions,
// optional keys compared without regard to letter case). Every change is
// reported to the tab host. Each operation stays correct when an event it
// raises (the host's BeforeRemove, a page's unload) changes the collection or
// destroys it.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CTabItem.h"
#include "TabIndex.h"

class IuTab;
class ITabForm;

// Window style a released page gets from the style it had when it was added.
using ReleaseStyleRule = std::function<LONG(LONG origStyle)>;
// A released page loses its caption and sizing frame (the default).
LONG ReleaseWithoutFrame(LONG origStyle);
// A released page gets its original style back.
LONG ReleaseAsItWas(LONG origStyle);

class CTabItems {
public:
    explicit CTabItems(ReleaseStyleRule releaseStyle = ReleaseWithoutFrame);
    // Closes the pages of the tabs that are left, as Clear does.
    ~CTabItems();
    CTabItems(const CTabItems&) = delete;
    CTabItems& operator=(const CTabItems&) = delete;

    // Raises RaisedError 5 for an index that is not numeric, 9 for one
    // outside 0..Count, 457 for a key already in use; by then the page has
    // been initialised and attached to the host (hidden), and stays open.
    bool Add(const std::wstring& Caption, std::shared_ptr<ITabForm> Form, const std::wstring& Key = {},
             const std::optional<TabIndex>& index = std::nullopt);
    // Asks the host first; bUnload false leaves the page open. The tab that
    // goes is the one found before the host was asked, wherever the host's
    // handler moved it; false when the handler removed it itself.
    bool Remove(const TabIndex& index, bool bUnload = true);
    // Empties the collection, then closes the page of every tab it held
    // without telling the host: a page's unload finds the collection empty.
    void Clear();
    long FindItem(const TabIndex& index) const;
    // Turns the page back into a window of its own, centred on the screen.
    // The collection lets go of the page: whoever else holds it keeps it.
    bool ReleaseForm(const TabIndex& index);
    long Count() const { return static_cast<long>(items_.size()); }
    // Raises RaisedError 5 for an unknown key; nullptr for a position outside.
    CTabItem* Item(const TabIndex& index) const;
    long Selected() const;
    void Selected(long NewValue);

    void SetTabHost(IuTab* host) { host_ = host; }

private:
    struct Entry {
        std::wstring key;  // empty: none
        // Shared only so that an operation can hold its item across an event
        // whose handler removes it; the collection is the owner.
        std::shared_ptr<CTabItem> item;
    };
    long KeyPosition(const std::wstring& key) const;

    // Expires when the collection is destroyed: an operation checks it after
    // each event before it touches the collection again.
    std::shared_ptr<char> alive_ = std::make_shared<char>();
    std::vector<Entry> items_;
    IuTab* host_ = nullptr;  // the host owns this collection
    ReleaseStyleRule releaseStyle_;
};

// One tab of the tab strip: its caption, the page it shows (which it keeps
// open), its display flags and the place the strip's layout gave it. The item
// holds its page without deciding how long the page object lives: a loaded
// form is kept by the program's set of loaded forms until it unloads.
#pragma once
#include <windows.h>

#include <any>
#include <memory>
#include <string>
#include <vector>

class IuTab;
class ITabForm;

class CTabItem {
public:
    CTabItem() = default;
    // Closes the page it still holds, then tells every page bound to it
    // (through Initialize with both empty) that it has no tab any more.
    ~CTabItem();
    CTabItem(const CTabItem&) = delete;
    CTabItem& operator=(const CTabItem&) = delete;

    const std::wstring& Caption() const { return caption_; }
    void Caption(const std::wstring& value);
    const std::shared_ptr<ITabForm>& Form() const { return form_; }
    // Binds a (new) page: Initialize on the page, ChangeForm on the host. The
    // previous page is neither closed nor detached: it keeps its references
    // to this item until the item goes.
    void Form(std::shared_ptr<ITabForm> value);
    bool HideButton() const { return hideButton_; }
    void HideButton(bool value);
    long Left() const { return left_; }
    long Width() const { return width_; }
    // Takes effect at the host's next layout.
    bool LockSize() const { return lockSize_; }
    void LockSize(bool value);
    const std::any& ItemData() const { return itemData_; }
    void ItemData(std::any value) { itemData_ = std::move(value); }

    // For the collection and the host.
    void SetTabHost(IuTab* host) { host_ = host; }
    void SetLeft(long value) { left_ = value; }
    void SetWidth(long value) { width_ = value; }
    LONG OrigStyle() const { return origStyle_; }
    void OrigStyle(LONG value) { origStyle_ = value; }
    // Lets go of the page without closing it.
    std::shared_ptr<ITabForm> ReleaseForm() { return std::move(form_); }
    // Hands the page this item and its host (Initialize) and remembers that
    // the page refers to this item.
    void Bind(ITabForm& page);

private:
    friend class ITabForm;
    void Forget(const ITabForm* page);
    void RedrawHost();

    std::wstring caption_;
    std::shared_ptr<ITabForm> form_;
    LONG origStyle_ = 0;
    bool hideButton_ = false;
    IuTab* host_ = nullptr;  // the strip owns the collection that owns this item
    long left_ = 0;
    long width_ = 0;
    bool lockSize_ = false;
    std::any itemData_;
    std::vector<ITabForm*> boundPages_;  // pages whose latest Initialize named this item
};

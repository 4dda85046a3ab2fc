#include "CTabItems.h"

#include <cwchar>

#include "ITabForm.h"
#include "IuTab.h"
#include "RaisedError.h"
#include "Rounding.h"
#include "mdlTabAPI.h"

namespace {

const char kSource[] = "CTabItems";

[[noreturn]] void Raise(uint32_t number, const char* description) { throw RaisedError(number, kSource, description); }

// The numeric value of an index, when it has one: numbers, and text that reads as a number.
std::optional<double> NumericValue(const TabIndex& index) {
    if (const long* n = std::get_if<long>(&index)) return static_cast<double>(*n);
    if (const double* d = std::get_if<double>(&index)) return *d;
    if (const std::wstring* text = std::get_if<std::wstring>(&index)) {
        const wchar_t* begin = text->c_str();
        wchar_t* end = nullptr;
        const double value = std::wcstod(begin, &end);
        if (end == begin) return std::nullopt;
        while (*end == L' ') ++end;
        if (*end == L'\0') return value;
    }
    return std::nullopt;
}

bool SameKey(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

}  // namespace

LONG LauncherReleaseStyle(LONG origStyle) { return origStyle & ~kCaptionAndFrame; }
LONG PlayerReleaseStyle(LONG origStyle) { return origStyle; }

CTabItems::CTabItems(ReleaseStyleRule releaseStyle) : releaseStyle_(std::move(releaseStyle)) {}

bool CTabItems::Add(const std::wstring& Caption, std::shared_ptr<ITabForm> Form, const std::wstring& Key,
                    const std::optional<TabIndex>& index) {
    auto item = std::make_unique<CTabItem>();
    item->OrigStyle(GetWindowLongW(Form->hwnd(), GWL_STYLE));
    item->SetTabHost(host_);
    Form->Initialize(host_, item.get());
    item->Caption(Caption);
    item->Form(Form);

    long position = Count();
    try {
        if (index) {
            const std::optional<double> value = NumericValue(*index);
            if (!value) Raise(5, "Invalid procedure call or argument");
            position = RoundHalfEven(*value);
            if (position < 0 || position > Count()) Raise(9, "Subscript out of range");
        }
        if (!Key.empty() && KeyPosition(Key) >= 0)
            Raise(457, "This key is already associated with an element of this collection");
    } catch (...) {
        // The caller keeps its page: the refused item lets go of it unclosed.
        item->ReleaseForm();
        throw;
    }
    items_.insert(items_.begin() + position, Entry{Key, std::move(item)});

    if (host_) {
        host_->Add(Caption, Form.get(), Key, index);
        SetActiveWindow(host_->hwnd());
    }
    return true;
}

bool CTabItems::Remove(const TabIndex& index, bool bUnload) {
    const long i = FindItem(index);
    if (i < 0) return false;
    if (host_ && !host_->BeforeRemove(i)) return false;
    std::unique_ptr<CTabItem> item = std::move(items_[i].item);
    items_.erase(items_.begin() + i);
    if (host_) host_->Remove(i);
    std::shared_ptr<ITabForm> page = item->ReleaseForm();
    if (page && bUnload) page->Unload();
    return true;
}

void CTabItems::Clear() {
    for (Entry& entry : items_)
        if (std::shared_ptr<ITabForm> page = entry.item->ReleaseForm()) page->Unload();
    items_.clear();
}

long CTabItems::FindItem(const TabIndex& index) const {
    if (items_.empty()) return -1;
    if (const std::wstring* key = std::get_if<std::wstring>(&index)) return KeyPosition(*key);
    if (const std::optional<double> value = NumericValue(index)) {
        const long i = RoundHalfEven(*value);
        return i >= 0 && i < Count() ? i : -1;
    }
    if (ITabForm* const* page = std::get_if<ITabForm*>(&index)) {
        for (long i = 0; i < Count(); ++i)
            if (items_[i].item->Form().get() == *page) return i;
        return -1;
    }
    if (CTabItem* const* item = std::get_if<CTabItem*>(&index)) {
        for (long i = 0; i < Count(); ++i)
            if (items_[i].item.get() == *item) return i;
    }
    return -1;
}

bool CTabItems::ReleaseForm(const TabIndex& index) {
    const long i = FindItem(index);
    if (i < 0) return false;
    // Held here so the page outlives its removal from the collection.
    const std::shared_ptr<ITabForm> page = items_[i].item->Form();
    if (!page) return false;
    const LONG origStyle = items_[i].item->OrigStyle();
    Remove(i, false);

    HWND hwnd = page->hwnd();
    SetParent(hwnd, nullptr);
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    RECT rc;
    GetWindowRect(hwnd, &rc);
    SetWindowLongW(hwnd, GWL_STYLE, releaseStyle_(origStyle));
    SetWindowPos(hwnd, nullptr, RoundHalfEven((screenW - (rc.right - rc.left)) / 2.0),
                 RoundHalfEven((screenH - (rc.bottom - rc.top)) / 2.0), 0, 0,
                 SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOSIZE);
    if (host_) RedrawWindow(host_->hParent(), nullptr, nullptr, RDW_INTERNALPAINT | RDW_INVALIDATE);
    return true;
}

CTabItem* CTabItems::Item(const TabIndex& index) const {
    if (const std::wstring* key = std::get_if<std::wstring>(&index)) {
        const long i = KeyPosition(*key);
        if (i < 0) Raise(5, "Invalid procedure call or argument");
        return items_[i].item.get();
    }
    const long i = FindItem(index);
    return i >= 0 ? items_[i].item.get() : nullptr;
}

long CTabItems::Selected() const { return host_ ? host_->Selected() : -1; }

void CTabItems::Selected(long NewValue) {
    if (host_) host_->Selected(NewValue);
}

long CTabItems::KeyPosition(const std::wstring& key) const {
    for (long i = 0; i < Count(); ++i)
        if (!items_[i].key.empty() && SameKey(items_[i].key, key)) return i;
    return -1;
}

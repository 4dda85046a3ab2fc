#include "CTabItems.h"

#include <cmath>
#include <cwchar>

#include "ITabForm.h"
#include "IuTab.h"
#include "RaisedError.h"
#include "Rounding.h"
#include "mdlTabAPI.h"

namespace {

const char kSource[] = "CTabItems";

[[noreturn]] void Raise(uint32_t number, const char* description) { throw RaisedError(number, kSource, description); }

// Text that reads as a decimal number: blanks, a sign, digits with at most
// one point, an optional exponent, blanks. Hexadecimal forms, "inf" and "nan",
// which the C library would also read, are not numbers here.
bool IsDecimalText(const std::wstring& text) {
    size_t i = text.find_first_not_of(L' ');
    if (i == std::wstring::npos) return false;
    auto digits = [&] {
        const size_t start = i;
        while (i < text.size() && text[i] >= L'0' && text[i] <= L'9') ++i;
        return i - start;
    };
    if (text[i] == L'+' || text[i] == L'-') ++i;
    size_t mantissa = digits();
    if (i < text.size() && text[i] == L'.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return false;
    if (i < text.size() && (text[i] == L'e' || text[i] == L'E')) {
        ++i;
        if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) ++i;
        if (digits() == 0) return false;
    }
    return text.find_first_not_of(L' ', i) == std::wstring::npos;
}

// The numeric value of an index, when it has one: numbers, and text that reads as a number.
std::optional<double> NumericValue(const TabIndex& index) {
    if (const long* n = std::get_if<long>(&index)) return static_cast<double>(*n);
    if (const double* d = std::get_if<double>(&index)) return *d;
    if (const std::wstring* text = std::get_if<std::wstring>(&index))
        if (IsDecimalText(*text)) return std::wcstod(text->c_str(), nullptr);
    return std::nullopt;
}

// A numeric index rounded to a whole position (halves to even), when it lies
// within first..last; compared before the conversion, so that no value is too
// large to convert.
std::optional<long> PositionWithin(double value, long first, long last) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= first && rounded <= last)) return std::nullopt;
    return RoundHalfEven(rounded);
}

bool SameKey(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

}  // namespace

LONG ReleaseWithoutFrame(LONG origStyle) { return origStyle & ~kCaptionAndFrame; }
LONG ReleaseAsItWas(LONG origStyle) { return origStyle; }

CTabItems::CTabItems(ReleaseStyleRule releaseStyle) : releaseStyle_(std::move(releaseStyle)) {}

CTabItems::~CTabItems() { Clear(); }

bool CTabItems::Add(const std::wstring& Caption, std::shared_ptr<ITabForm> Form, const std::wstring& Key,
                    const std::optional<TabIndex>& index) {
    auto item = std::make_shared<CTabItem>();
    item->OrigStyle(GetWindowLongW(Form->hwnd(), GWL_STYLE));
    item->SetTabHost(host_);
    item->Bind(*Form);
    item->Caption(Caption);
    item->Form(Form);

    long position = Count();
    try {
        if (index) {
            const std::optional<double> value = NumericValue(*index);
            if (!value) Raise(5, "Invalid procedure call or argument");
            const std::optional<long> within = PositionWithin(*value, 0, Count());
            if (!within) Raise(9, "Subscript out of range");
            position = *within;
        }
        if (!Key.empty() && KeyPosition(Key) >= 0)
            Raise(457, "This key is already associated with an element of this collection");
    } catch (...) {
        // The page stays open: the refused item lets go of it unclosed and,
        // as it goes, tells the page that it has no tab.
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
    const long found = FindItem(index);
    if (found < 0) return false;
    // Held across the host's event, whose handler may add or remove tabs.
    std::shared_ptr<CTabItem> item = items_[found].item;
    if (host_) {
        const std::weak_ptr<char> alive = alive_;
        const bool goOn = host_->BeforeRemove(found);
        if (alive.expired() || !goOn) return false;
    }
    const long i = FindItem(item.get());
    if (i < 0) return false;
    items_.erase(items_.begin() + i);
    item->SetTabHost(nullptr);  // what the page still does to its item reaches no strip
    const std::shared_ptr<ITabForm> page = item->ReleaseForm();
    if (host_) host_->Remove(i);
    // The page still sees its (detached) item during its unload; the item
    // tells it that it has no tab when the item goes, after that.
    if (page && bUnload) page->Unload();
    return true;
}

void CTabItems::Clear() {
    std::vector<Entry> gone;
    gone.swap(items_);
    for (Entry& entry : gone) {
        entry.item->SetTabHost(nullptr);
        if (const std::shared_ptr<ITabForm> page = entry.item->ReleaseForm()) page->Unload();
        entry.item.reset();
    }
}

long CTabItems::FindItem(const TabIndex& index) const {
    if (items_.empty()) return -1;
    if (const std::wstring* key = std::get_if<std::wstring>(&index)) return KeyPosition(*key);
    if (const std::optional<double> value = NumericValue(index))
        return PositionWithin(*value, 0, Count() - 1).value_or(-1);
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
    const std::weak_ptr<char> alive = alive_;
    Remove(i, false);
    if (alive.expired()) return false;

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
    // A number is measured before it is rounded: -0.4 or Count - 0.6 name no tab.
    if (const std::optional<double> value = NumericValue(index))
        if (*value < 0 || *value > Count() - 1) return nullptr;
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

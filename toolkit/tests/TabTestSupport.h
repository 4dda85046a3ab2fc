// Real windows for the tab strip's tests: pages implementing ITabForm, a
// container, and a tab host that records what it is told.
#pragma once
#include <windows.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "CTabItems.h"
#include "ITabForm.h"
#include "IuTab.h"

inline HWND MakeTestWindow(const wchar_t* title, DWORD style, HWND parent = nullptr, int w = 300, int h = 200) {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = L"TabTestWindow";
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    return CreateWindowExW(0, L"TabTestWindow", title, style, 10, 10, w, h, parent, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// A page: an ordinary top-level window with caption and sizing frame.
class TestPage : public ITabForm {
public:
    explicit TestPage(const wchar_t* title = L"page", int w = 300, int h = 200)
        : hwnd_(MakeTestWindow(title, WS_OVERLAPPEDWINDOW, nullptr, w, h)) {}
    ~TestPage() override {
        if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
    }
    HWND hwnd() const override { return hwnd_; }
    void Initialize(IuTab* Implement, CTabItem* Item) override { initialized.emplace_back(Implement, Item); }
    void Unload() override {
        ++unloads;
        DestroyWindow(hwnd_);
    }

    std::vector<std::pair<IuTab*, CTabItem*>> initialized;
    int unloads = 0;

private:
    HWND hwnd_;
};

// A host that records the calls it receives, as text.
class RecordingHost : public IuTab {
public:
    RecordingHost() : window_(MakeTestWindow(L"host", WS_OVERLAPPEDWINDOW)) { items.SetTabHost(this); }
    ~RecordingHost() override { DestroyWindow(window_); }

    void Add(const std::wstring& Caption, ITabForm*, const std::wstring& Key,
             const std::optional<TabIndex>&) override {
        calls.push_back(L"Add " + Caption + L" " + Key);
    }
    bool BeforeRemove(long index) override {
        calls.push_back(L"BeforeRemove " + std::to_wstring(index));
        return !veto;
    }
    void Remove(const TabIndex& index) override {
        calls.push_back(L"Remove " + std::to_wstring(std::get<long>(index)));
    }
    void Clear() override { calls.push_back(L"Clear"); }
    void Redraw(bool) override { calls.push_back(L"Redraw"); }
    void ChangeForm(CTabItem*, ITabForm*) override { calls.push_back(L"ChangeForm"); }
    long Selected() const override { return selected; }
    void Selected(long NewValue) override { calls.push_back(L"Selected " + std::to_wstring(NewValue)); }
    CTabItems& TabItems() override { return items; }
    HWND hwnd() const override { return window_; }
    HWND hParent() const override { return window_; }
    uTab& Control() override { throw std::logic_error("no control behind a recording host"); }

    CTabItems items;
    std::vector<std::wstring> calls;
    bool veto = false;
    long selected = -1;

private:
    HWND window_;
};

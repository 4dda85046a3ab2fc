// Real windows for the tab strip's tests: pages implementing ITabForm, an
// owner with a container, and a tab host that records what it is told.
#pragma once
#include <windows.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "CTabItems.h"
#include "ITabForm.h"
#include "IuTab.h"
#include "PlainWindow.h"

// The strip's owner, topmost and away from the top left corner where most
// test windows lie, with the page container 40 pixels down; both go with
// the object.
class StripWindows {
public:
    StripWindows() {
        parent = MakePlainWindow({.title = L"owner", .style = WS_POPUP | WS_VISIBLE, .cx = 820, .cy = 360});
        SetWindowPos(parent, HWND_TOPMOST, 420, 620, 820, 360, SWP_NOACTIVATE);
        container = MakePlainWindow({.style = WS_CHILD | WS_VISIBLE, .parent = parent, .cx = 800, .cy = 300});
        SetWindowPos(container, nullptr, 0, 40, 800, 300, SWP_NOZORDER);
    }
    ~StripWindows() { DestroyWindow(parent); }
    StripWindows(const StripWindows&) = delete;
    StripWindows& operator=(const StripWindows&) = delete;

    HWND parent = nullptr, container = nullptr;
};

// A page: an ordinary top-level window with caption and sizing frame.
class TestPage : public ITabForm {
public:
    explicit TestPage(const wchar_t* title = L"page", int w = 300, int h = 200)
        : hwnd_(MakePlainWindow({.title = title, .cx = w, .cy = h})) {}
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
    RecordingHost() : window_(MakePlainWindow({.title = L"host"})) { items.SetTabHost(this); }
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

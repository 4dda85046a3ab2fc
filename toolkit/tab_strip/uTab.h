// The tab strip control: a child window of owner-drawn tabs that hosts one
// page window per tab in a container window, reports mouse actions with the
// index of the tab under the pointer, and asks its owner before a tab closes.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CSubclass.h"
#include "CTabItems.h"
#include "IuTab.h"
#include "PropertyBag.h"
#include "TabSkin.h"
#include "TabStripLayout.h"
#include "Window.h"
#include "mdlTabAPI.h"

class uTab : public Window, public IuTab {
public:
    // What differs between the programs that carry a strip.
    struct Variant {
        std::unique_ptr<TabSkin> skin;  // nullptr: the PNG sheets of the program folder
        ReleaseStyleRule releaseStyle = ReleaseWithoutFrame;
    };
    uTab();
    explicit uTab(Variant variant);
    ~uTab() override;

    // Creates the control's window at x, y of parent, width pixels wide, and
    // applies the saved properties ("TabStyle", "TabLeftSize", "TabRightSize").
    bool Create(HWND parent, int x, int y, int width, const PropertyBag& saved = {});
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    void Refresh();
    // Unlocking lays the tabs out and draws the whole strip; until the first
    // unlock nothing is laid out or drawn.
    void LockReDraw(bool bLock);
    HWND hwnd() const override { return Window::hwnd(); }
    HWND hContainerWnd() const { return container_; }
    void hContainerWnd(HWND value);
    CTabItems& TabItems() override { return *tabItems_; }
    long Selected() const override { return selected_; }
    void Selected(long NewValue) override;
    long TabLeftSize() const { return tabLeftSize_; }
    void TabLeftSize(long value) { tabLeftSize_ = value; }
    long TabRightSize() const { return tabRightSize_; }
    void TabRight(long value) { tabRightSize_ = value; }
    long TabStyle() const { return tabStyle_; }
    void TabStyle(long value) { tabStyle_ = value; }

    // IuTab
    void Add(const std::wstring& Caption, ITabForm* Form, const std::wstring& Key,
             const std::optional<TabIndex>& index) override;
    void ChangeForm(CTabItem* Item, ITabForm* Form) override;
    void Clear() override;
    uTab& Control() override { return *this; }
    HWND hParent() const override;
    void Redraw(bool bUpdate) override;
    bool BeforeRemove(long index) override;
    void Remove(const TabIndex& index) override;

    // Events. ItemIndex: -3 outside the control, -2 outside the tab area,
    // -1 no tab, else the tab; 0 when no hit test was made (any button but
    // the left, or a move with a button held). Button 1 left, 2 right, 4
    // middle; Shift 1 shift, 2 control, 4 alt.
    using MouseEvent = std::function<void(long ItemIndex, short& Button, short& Shift, float& X, float& Y)>;
    MouseEvent OnDblClick, OnMouseDown, OnMouseHover, OnMouseMove, OnMouseUp;
    std::function<void()> OnMouseLeave;
    std::function<void(long index, bool& Cancel)> OnItemColose;
    std::function<void(HDC hDC, long cx, long cy, bool& Cancel)> OnDrawBackground;

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    struct FontDeleter {
        void operator()(HFONT f) const { DeleteObject(f); }
    };
    using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

    // Page hosting.
    void AttachForm(HWND page);
    void FitActiveForm();

    // Mouse.
    void MouseDown(short Button, short Shift, float X, float Y);
    void MouseMove(short Button, short Shift, float X, float Y);
    void MouseUp(short Button, WPARAM keys, float X, float Y);
    void DblClick();
    void PointerLeft();
    // Raises an event; false when its handler destroyed the strip or its
    // window, after which the strip touches nothing of itself.
    bool Raise(const MouseEvent& event, long ItemIndex, short Button, short Shift, float X, float Y);
    bool StillHere(const std::weak_ptr<char>& alive) const { return !alive.expired() && hwnd(); }
    void c_Subclass_WindowProc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND hWnd, UINT uMsg);

    // Size, buffers, layout and drawing.
    void Resize();
    long StripWidth() const;
    long StripHeight() const { return skin_->StripHeight(tabStyle_); }
    std::vector<TabStripLayout::TabPlace> Places() const;
    TabStripLayout::Hit HitTest(float X, float Y) const;
    void CreateBuffers();
    void FreeBuffers();
    void CalcTabWidth();
    void LayoutTabs();
    void Draw(bool bUpdate);
    void DrawBackground();
    void DrawTabs(bool bUpdate);
    void DrawTab(long index, const TabStripLayout::TabPlace& place, bool selected);
    void DrawCaption(HDC hDC, const std::wstring& text, const TabStripLayout::Rect& rc);
    void Paint();

    std::shared_ptr<char> alive_ = std::make_shared<char>();  // expires when the strip is destroyed
    std::unique_ptr<TabSkin> skin_;
    std::unique_ptr<CTabItems> tabItems_;
    std::unique_ptr<CSubclass> c_Subclass;
    long selected_ = -1;
    long hoverIndex_ = -1;
    long closeState_ = 0;  // close button under the pointer: 0 normal, 1 hover, 2 pressed
    bool drawEnabled_ = false;
    long tabStyle_ = 0;
    long tabLeftSize_ = 40;
    long tabRightSize_ = 0;
    long tabWidth_ = 108;
    HWND container_ = nullptr;
    short downButton_ = 0, downShift_ = 0;
    float downX_ = 0, downY_ = 0;
    // Declared before the buffers, so the buffer that still has a font
    // selected is deleted first: Windows does not delete a selected font.
    UniqueFont normalFont_, boldFont_;
    UniqueMemDC compositeDC_, backgroundDC_, tabAreaDC_;
};

// Toolkit controls held by forms: made with their container at every load,
// fresh from the design each time, placed in the form's scale, shown,
// enabled and given tips like intrinsic controls.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ControlToolTips.h"
#include "Form.h"
#include "Label.h"
#include "PictureBox.h"
#include "Pump.h"
#include "ToolTipText.h"
#include "ToolkitHosting.h"
#include "WindowRects.h"

namespace {

class Settings : public Form {
public:
    Settings() {
        Caption(L"hosted");
        BorderStyle(FormBorderStyleConstants::None);
        Move(3000, 3000, 9000, 6000);
        Bar.Move(0, 0, 6000, 1200);  // the bar keeps its own height
        Ok.Move(1500, 900, 1125, 345);
        Ok.ToolTipText(L"确定");
        Ok.Design = [this](iButton& b) {
            b.AutoSize(false);
            b.Caption(L"确 定");
            b.Click = [this] { ++clicks; };
        };
        Progress.Move(300, 1500, 3000, 300);
        Progress.Design = [](ProgressBar& p) { p.Value(10); };
        Strip.Move(600, 2100, 6000, 375);
        Strip.ToolTipText(L"tabs");
        Note.Move(300, 3000, 2000, 300);
        Note.Caption(L"说明");
        Note.ToolTipText(L"a label's tip");
        Panel.Move(300, 3600, 3000, 1500);
        Panel.ScaleMode(ScaleModeConstants::Pixels);
        Inner.Move(10, 5, 40, 20);  // pixels of the panel
    }
    void Form_Load() override {
        ++loads;
        seenCaption = Ok->Caption();
        seenWidth = Ok.Width();
        Ok->Caption(L"changed at load");
    }

    Hosted<BForm> Bar{*this};
    Hosted<iButton> Ok{*this};
    Hosted<ProgressBar> Progress{*this};
    Hosted<uTab> Strip{*this};
    Label Note{*this};
    PictureBox Panel{*this};
    Hosted<iButton> Inner{Panel};
    int loads = 0, clicks = 0, seenWidth = 0;
    std::wstring seenCaption;
};

TEST(HostedControls, ComponentsAreMadeWithTheFormAndPlacedInItsScale) {
    Settings s;
    EXPECT_EQ(s.Ok.hwnd(), nullptr);
    EXPECT_EQ(s.Ok.Live(), nullptr);
    s.Show();
    ASSERT_NE(s.Ok.hwnd(), nullptr);
    for (HWND h : {s.Bar.hwnd(), s.Ok.hwnd(), s.Progress.hwnd(), s.Strip.hwnd()}) {
        ASSERT_TRUE(IsWindow(h));
        EXPECT_EQ(GetParent(h), s.hwnd());
        EXPECT_TRUE(IsWindowVisible(h));
    }
    EXPECT_EQ(GetParent(s.Inner.hwnd()), s.Panel.hwnd());
    EXPECT_EQ(s.Ok.hWnd(), s.Ok.hwnd());
    EXPECT_EQ(s.seenWidth, 1125);  // the load handler already sees the design geometry

    RECT r = RectInParent(s.Ok.hwnd());
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 60);
    EXPECT_EQ(r.right - r.left, 75);
    EXPECT_EQ(r.bottom - r.top, 23);
    r = RectInParent(s.Inner.hwnd());
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 5);
    EXPECT_EQ(r.right - r.left, 40);
    r = RectInParent(s.Progress.hwnd());
    EXPECT_EQ(r.right - r.left, 200);
    EXPECT_EQ(r.bottom - r.top, 20);

    // The title bar: the width given, its own height of 500 twips.
    EXPECT_EQ(s.Bar.Width(), 6000);
    EXPECT_EQ(s.Bar.Height(), 33 * 15);
    s.Bar.Left(150);
    s.Bar.Top(30);
    s.Bar.Width(7500);
    r = RectInParent(s.Bar.hwnd());
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 2);
    EXPECT_EQ(r.right - r.left, 500);
    EXPECT_EQ(r.bottom - r.top, 33);

    // The strip: Move in twips, its height read back in twips.
    s.Strip.Move(900, 2250, 4500);
    r = RectInParent(s.Strip.hwnd());
    EXPECT_EQ(r.left, 60);
    EXPECT_EQ(r.top, 150);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(s.Strip.Height(), (r.bottom - r.top) * 15);
    EXPECT_GT(s.Strip.Height(), 0);

    // The button: Left, Visible, Enabled (which the button also draws).
    s.Ok.Left(3000);
    EXPECT_EQ(RectInParent(s.Ok.hwnd()).left, 200);
    EXPECT_EQ(s.Ok.Left(), 3000);
    s.Ok.Visible(false);
    EXPECT_FALSE(IsWindowVisible(s.Ok.hwnd()));
    EXPECT_FALSE(s.Ok.Visible());
    s.Ok.Visible(true);
    EXPECT_TRUE(IsWindowVisible(s.Ok.hwnd()));
    s.Ok.Enabled(false);
    EXPECT_FALSE(IsWindowEnabled(s.Ok.hwnd()));
    EXPECT_FALSE(s.Ok->Enabled());
    s.Ok.Enabled(true);
    EXPECT_TRUE(s.Ok->Enabled());
    s.Unload();
    EXPECT_EQ(s.Ok.Live(), nullptr);
}

TEST(HostedControls, EveryLoadStartsFromTheDesign) {
    Settings s;
    s.Show();
    const HWND first = s.Ok.hwnd();
    EXPECT_EQ(s.seenCaption, L"确 定");
    EXPECT_EQ(s.Progress->Value(), 10);
    // The design's handler is connected.
    SendMessageW(s.Ok.hwnd(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(s.clicks, 1);

    // Changes made while loaded.
    s.Ok->Caption(L"later");
    s.Ok.Move(4500, 1500, 1500, 450);
    s.Ok.Visible(false);
    s.Ok.ToolTipText(L"other");
    s.Progress->Value(70);
    s.Unload();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(s.Ok.hwnd(), nullptr);

    s.Show();
    EXPECT_EQ(s.loads, 2);
    EXPECT_EQ(s.seenCaption, L"确 定");
    EXPECT_EQ(s.Progress->Value(), 10);
    const RECT r = RectInParent(s.Ok.hwnd());
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 60);
    EXPECT_EQ(r.right - r.left, 75);
    EXPECT_TRUE(IsWindowVisible(s.Ok.hwnd()));
    EXPECT_EQ(TipText(s.Ok.hwnd()), L"确定");
    SendMessageW(s.Ok.hwnd(), WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(s.clicks, 2);
    s.Unload();
}

TEST(HostedControls, TouchingTheComponentLoadsTheForm) {
    Settings s;
    EXPECT_FALSE(s.Loaded());
    EXPECT_EQ(s.Ok->Caption(), L"changed at load");
    EXPECT_TRUE(s.Loaded());
    EXPECT_EQ(s.loads, 1);
    s.Unload();
}

TEST(HostedControls, ToolTipTextIsSetAndChangedAtRunTime) {
    Settings s;
    s.Show();
    EXPECT_EQ(TipText(s.Ok.hwnd()), L"确定");
    EXPECT_EQ(TipText(s.Strip.hwnd()), L"tabs");
    EXPECT_EQ(TipText(s.Note.hwnd()), L"a label's tip");
    EXPECT_EQ(TipText(s.Bar.hwnd()), L"<none>");
    // One tip window for the form, owned by it.
    EXPECT_EQ(ControlToolTipWindow(s.Ok.hwnd()), ControlToolTipWindow(s.Note.hwnd()));
    EXPECT_EQ(GetWindow(ControlToolTipWindow(s.Ok.hwnd()), GW_OWNER), s.hwnd());

    s.Ok.ToolTipText(L"关闭");
    EXPECT_EQ(TipText(s.Ok.hwnd()), L"关闭");
    s.Bar.ToolTipText(L"drag me");
    EXPECT_EQ(TipText(s.Bar.hwnd()), L"drag me");
    s.Strip.ToolTipText(L"");
    EXPECT_EQ(TipText(s.Strip.hwnd()), L"<none>");
    EXPECT_EQ(s.Ok.ToolTipText(), L"关闭");
    s.Unload();
    EXPECT_EQ(s.Ok.ToolTipText(), L"确定");
}

}  // namespace

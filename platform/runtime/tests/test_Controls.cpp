// Intrinsic controls driven by real window messages: events, values, colours,
// cursors, nesting, control arrays, and the return to design values at unload.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CheckBox.h"
#include "CommandButton.h"
#include "ControlArray.h"
#include "Form.h"
#include "Image.h"
#include "Label.h"
#include "PictureBox.h"
#include "RaisedError.h"
#include "TextBox.h"
#include "VScrollBar.h"
#include "WindowRects.h"
#include "runtime_pictures.h"

namespace {

class Dialog : public Form {
public:
    Dialog() {
        ScaleMode(ScaleModeConstants::Pixels);
        Move(0, 0, 400 * 15, 300 * 15);
        Caption(L"Dialog");
        title.Caption(L"关于我们");
        title.Move(10, 10, 100, 20);
        hint.Move(10, 40, 100, 20);
        hint.Visible(false);
        name.Move(10, 70, 120, 22);
        save.Move(10, 100, 120, 20);
        save.Caption(L"remember");
        ok.Move(10, 130, 80, 24);
        ok.Caption(L"OK");
        scroll.Move(200, 10, 16, 100);
        panel.Move(150, 150, 200, 100);  // twips inside: set below
        panel.ScaleMode(ScaleModeConstants::Twips);
        inner.Move(150, 300, 750, 450);  // twips of panel
        icon.Move(300, 10, 50, 50);
    }
    Label title{*this};
    Label hint{*this};
    TextBox name{*this};
    CheckBox save{*this};
    CommandButton ok{*this};
    VScrollBar scroll{*this};
    PictureBox panel{*this};
    PictureBox inner{panel};
    Image icon{*this};
};

TEST(Controls, ChildWindowsFollowTheFormsLoad) {
    Dialog d;
    EXPECT_EQ(d.title.hwnd(), nullptr);
    d.Show();
    ASSERT_NE(d.title.hwnd(), nullptr);
    EXPECT_EQ(GetParent(d.title.hwnd()), d.hwnd());
    EXPECT_EQ(GetParent(d.inner.hwnd()), d.panel.hwnd());
    EXPECT_FALSE(IsWindowVisible(d.hint.hwnd()));
    EXPECT_TRUE(IsWindowVisible(d.title.hwnd()));
    d.Unload();
    EXPECT_EQ(d.title.hwnd(), nullptr);
    EXPECT_EQ(d.inner.hwnd(), nullptr);
}

TEST(Controls, PositionsInTheContainersScale) {
    Dialog d;
    d.Show();
    const RECT name = RectInParent(d.name.hwnd());
    EXPECT_EQ(name.left, 10);
    EXPECT_EQ(name.top, 70);
    EXPECT_EQ(name.right - name.left, 120);
    const RECT inner = RectInParent(d.inner.hwnd());  // twips of the panel
    EXPECT_EQ(inner.left, 10);
    EXPECT_EQ(inner.top, 20);
    EXPECT_EQ(inner.right - inner.left, 50);
    EXPECT_EQ(d.inner.Left(), 150);
    EXPECT_EQ(d.panel.ScaleWidth(), 3000);
    d.inner.Move(0, 0);
    EXPECT_EQ(RectInParent(d.inner.hwnd()).left, 0);
    d.Unload();
}

TEST(Controls, UnloadPutsDesignValuesBack) {
    Dialog d;
    d.Show();
    d.title.Caption(L"changed");
    d.hint.Visible(true);
    d.name.Text(L"typed");
    d.save.Value(1);
    d.name.Move(50, 50);
    d.Unload();
    EXPECT_EQ(d.title.Caption(), L"关于我们");
    EXPECT_FALSE(d.hint.Visible());
    EXPECT_EQ(d.name.Text(), L"");
    EXPECT_EQ(d.save.Value(), 0);
    d.Show();
    EXPECT_EQ(RectInParent(d.name.hwnd()).left, 10);
    EXPECT_FALSE(IsWindowVisible(d.hint.hwnd()));
    d.Unload();
}

TEST(Controls, LabelClickAndCustomCursor) {
    Dialog d;
    int clicks = 0;
    std::vector<int> downs;
    d.title.Click = [&] { ++clicks; };
    d.title.MouseDown = [&](int button, int shift, int x, int y) { downs.insert(downs.end(), {button, x, y}); };
    auto cursor = LoadPicture(std::wstring(kPictureDir) + L"quadrants.cur");
    d.title.MouseIcon(cursor);
    d.title.MousePointer(MousePointerConstants::Custom);
    d.Show();
    SendMessageW(d.title.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    SendMessageW(d.title.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 6));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(downs, (std::vector<int>{1, 5, 6}));  // pixels: the form's scale
    // Released outside the label: no click.
    SendMessageW(d.title.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
    SendMessageW(d.title.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(500, 6));
    EXPECT_EQ(clicks, 1);
    SendMessageW(d.title.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(d.title.hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), cursor->HandleAs<HCURSOR>());
    d.title.MousePointer(MousePointerConstants::SizeWE);
    SendMessageW(d.title.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(d.title.hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_SIZEWE));
    d.Unload();
}

TEST(Controls, LabelPaintsCaptionColoursAndTransparency) {
    Dialog d;
    d.BackColor(RGB(0, 128, 0));
    d.title.BackColor(RGB(200, 0, 0));
    d.title.ForeColor(RGB(0, 0, 255));
    d.title.FontSize(30);
    d.title.FontBold(true);
    d.title.Caption(L"██");
    d.Show();
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 100, 20);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    SendMessageW(d.title.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
    // The full blocks cover the top-left corner in blue; the right end shows the back colour.
    EXPECT_EQ(GetPixel(mem, 99, 19), RGB(200, 0, 0));
    d.title.BackStyle(Label::BackStyleConstants::Transparent);
    SendMessageW(d.title.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
    EXPECT_EQ(GetPixel(mem, 99, 19), RGB(0, 128, 0));
    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
    d.Unload();
}

TEST(Controls, TextBoxChangeClickLimitAndColours) {
    Dialog d;
    std::vector<std::wstring> changes;
    int clicks = 0;
    d.name.Change = [&] { changes.push_back(d.name.Text()); };
    d.name.Click = [&] { ++clicks; };
    d.name.MaxLength(4);
    d.Show();
    d.name.Text(L"abc");
    d.name.Text(L"abc");  // the same text: no change
    EXPECT_EQ(changes, std::vector<std::wstring>{L"abc"});
    SendMessageW(d.name.hwnd(), EM_SETSEL, 3, 3);
    for (wchar_t c : std::wstring(L"xyz")) SendMessageW(d.name.hwnd(), WM_CHAR, c, 0);
    EXPECT_EQ(d.name.Text(), L"abcx");  // at most 4 typed
    EXPECT_EQ(changes.back(), L"abcx");
    SendMessageW(d.name.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(d.name.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(clicks, 1);
    d.name.ForeColor(RGB(1, 2, 3));
    d.name.BackColor(RGB(250, 240, 230));
    HDC dc = CreateCompatibleDC(nullptr);
    HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageW(d.hwnd(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(d.name.hwnd())));
    LOGBRUSH lb{};
    GetObjectW(brush, sizeof lb, &lb);
    EXPECT_EQ(lb.lbColor, RGB(250, 240, 230));
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    DeleteDC(dc);
    d.name.Enabled(false);
    EXPECT_FALSE(IsWindowEnabled(d.name.hwnd()));
    d.Unload();
}

TEST(Controls, CheckBoxAndCommandButtonClicks) {
    Dialog d;
    std::vector<int> values;
    int okClicks = 0;
    d.save.Click = [&] { values.push_back(d.save.Value()); };
    d.ok.Click = [&] { ++okClicks; };
    d.Show();
    SendMessageW(d.save.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(d.save.hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(d.save.hwnd(), BM_CLICK, 0, 0);
    d.save.Value(2);
    d.save.Value(2);  // unchanged: no click
    EXPECT_EQ(values, (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(SendMessageW(d.save.hwnd(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_THROW(d.save.Value(3), RaisedError);
    SendMessageW(d.ok.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(okClicks, 1);
    d.Unload();
}

TEST(Controls, EnterThatTheFocusedControlDoesNotUsePressesTheDefaultButton) {
    Dialog d;
    int okClicks = 0;
    d.ok.Click = [&] { ++okClicks; };
    const auto enter = [](HWND focus) { SendMessageW(focus, WM_KEYDOWN, VK_RETURN, 0x001C0001); };
    d.Show();
    enter(d.name.hwnd());
    EXPECT_EQ(okClicks, 0) << "no default button yet";
    d.ok.Default(true);
    for (HWND focus : {d.name.hwnd(), d.save.hwnd(), d.hwnd()}) enter(focus);
    EXPECT_EQ(okClicks, 3);
    d.ok.Enabled(false);
    enter(d.name.hwnd());
    EXPECT_EQ(okClicks, 3) << "a disabled default button is not pressed";
    d.Unload();
    EXPECT_FALSE(d.ok.Default()) << "set at run time, gone at unload";
    d.Show();
    enter(d.name.hwnd());
    EXPECT_EQ(okClicks, 3);
    d.Unload();
}

TEST(Controls, ScrollBarValueFromScrollMessages) {
    Dialog d;
    std::vector<int> values;
    d.scroll.Max(20);
    d.scroll.LargeChange(8);
    d.scroll.Change = [&] { values.push_back(d.scroll.Value()); };
    d.Show();
    const auto scroll = [&](WORD code) {
        SendMessageW(d.hwnd(), WM_VSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(d.scroll.hwnd()));
    };
    scroll(SB_LINEDOWN);
    scroll(SB_PAGEDOWN);
    scroll(SB_PAGEDOWN);
    scroll(SB_PAGEDOWN);  // stops at Max
    scroll(SB_LINEUP);
    scroll(SB_ENDSCROLL);
    EXPECT_EQ(values, (std::vector<int>{1, 9, 17, 20, 19}));
    EXPECT_EQ(GetScrollPos(d.scroll.hwnd(), SB_CTL), 19);
    try {
        d.scroll.Value(21);
        FAIL();
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.Number(), 380u);
    }
    d.Unload();
}

TEST(Controls, PictureBoxEventsInItsContainersScale) {
    Dialog d;
    std::vector<int> panel, inner;
    int resized = 0;
    d.panel.MouseMove = [&](int b, int s, int x, int y) { panel.insert(panel.end(), {b, x, y}); };
    d.inner.MouseUp = [&](int b, int s, int x, int y) { inner.insert(inner.end(), {b, x, y}); };
    d.inner.Resize = [&] { ++resized; };
    d.Show();
    SendMessageW(d.panel.hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(4, 5));
    SendMessageW(d.inner.hwnd(), WM_RBUTTONUP, 0, MAKELPARAM(2, 3));
    EXPECT_EQ(panel, (std::vector<int>{1, 60, 75}));  // the panel's own scale: twips
    EXPECT_EQ(inner, (std::vector<int>{2, 30, 45}));
    d.inner.Width(1500);
    EXPECT_EQ(resized, 1);
    d.Unload();
}

TEST(Controls, ImageTakesThePictureSizeUnlessStretched) {
    Dialog d;
    d.Show();
    d.icon.Picture(LoadPicture(std::wstring(kPictureDir) + L"quadrants.gif"));
    EXPECT_EQ(d.icon.Width(), 16);
    d.icon.Stretch(true);
    d.icon.Move(300, 10, 64, 64);
    d.icon.Picture(LoadPicture(std::wstring(kPictureDir) + L"quadrants.gif"));
    EXPECT_EQ(d.icon.Width(), 64);
    d.Unload();
}

class ArrayForm : public Form {
public:
    ArrayForm() {
        ScaleMode(ScaleModeConstants::Pixels);
        p1(0).Move(0, 0, 72, 72);
        p1(0).AutoRedraw(true);
        p1(0).BackColor(RGB(9, 8, 7));
        p1(0).Visible(false);
    }
    ControlArray<PictureBox> p1{*this};
    ControlArray<PictureBox> Pic{*this, 3};
};

TEST(Controls, ControlArrayElementsAtRunTime) {
    ArrayForm f;
    f.Show();
    EXPECT_EQ(f.Pic.Count(), 3);
    f.p1.Load(1);
    f.p1.Load(2);
    f.p1(2).Tag(L"game two");
    EXPECT_EQ(f.p1.UBound(), 2);
    ASSERT_NE(f.p1(1).hwnd(), nullptr);
    EXPECT_FALSE(IsWindowVisible(f.p1(1).hwnd()));
    EXPECT_EQ(f.p1(1).Width(), 72);
    EXPECT_TRUE(f.p1(1).AutoRedraw());
    EXPECT_EQ(GetPixel(f.p1(1).hDC(), 5, 5), RGB(9, 8, 7));
    const auto number = [](auto&& call) {
        try {
            call();
        } catch (const RaisedError& e) {
            return static_cast<int>(e.Number());
        }
        return 0;
    };
    EXPECT_EQ(number([&] { f.p1.Load(1); }), 360);
    EXPECT_EQ(number([&] { f.p1(7); }), 340);
    EXPECT_EQ(number([&] { f.p1.Unload(0); }), 362);
    f.p1.Unload(1);
    EXPECT_FALSE(f.p1.Exists(1));
    EXPECT_EQ(f.p1(2).Tag(), L"game two");
    f.Unload();
    EXPECT_EQ(f.p1.Count(), 1);  // elements added at run time go with the form
    EXPECT_EQ(f.Pic.Count(), 3);
}

TEST(Controls, ControlMadeAtRunTimeOnALoadedForm) {
    Dialog d;
    d.Show();
    {
        PictureBox scratch(d);
        scratch.ScaleMode(ScaleModeConstants::Pixels);
        scratch.Visible(false);
        ASSERT_NE(scratch.hwnd(), nullptr);
        EXPECT_EQ(GetParent(scratch.hwnd()), d.hwnd());
    }
    d.Unload();
}

}  // namespace

// The skinned title bar on a real form with the generated skin: painting
// positions, the forced height, dragging through frmHwnd, the frame painter
// and the persisted properties.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "BForm.h"
#include "Pump.h"
#include "TempDir.h"
#include "test_paths.h"

namespace {

// Colours of the generated pellow\bgpf.bmp.
const COLORREF kLeftCap = RGB(70, 96, 140), kMiddle = RGB(110, 140, 180), kRightCap = RGB(40, 60, 100);
const COLORREF kBorder = RGB(30, 45, 75), kBottom = RGB(20, 30, 55);
const COLORREF kBack = RGB(1, 2, 3);

class HostForm : public Form {
public:
    HostForm() {
        Caption(L"Host");
        BorderStyle(FormBorderStyleConstants::None);
        AutoRedraw(true);
        BackColor(kBack);
        Move(200 * 15, 150 * 15, 400 * 15, 300 * 15);
    }
};

// Caption ink: any pixel that is none of the title's skin colours.
bool Ink(COLORREF c) { return c != kLeftCap && c != kMiddle && c != kRightCap && c != RGB(200, 210, 230); }

std::wstring DistFolder() {
    std::wstring d = kDistDir;
    d.pop_back();  // no trailing backslash
    return d;
}

// Records what the window that the bar drags receives.
std::vector<std::pair<UINT, WPARAM>> g_received;
LRESULT CALLBACK Recorder(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCLBUTTONDOWN) {
        g_received.emplace_back(msg, wp);
        return 0;  // no system move loop in a test
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

HWND MakeRecorder() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Recorder;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BFormDragTarget";
    RegisterClassW(&wc);
    return CreateWindowExW(0, L"BFormDragTarget", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

class BFormTest : public ::testing::Test {
protected:
    std::unique_ptr<BForm> Bar(int widthTwips, std::wstring folder = DistFolder()) {
        auto bar = std::make_unique<BForm>(BForm::CreateArgs{form.hWnd(), 0, 0, widthTwips / 15, 1, folder});
        bar->InitProperties();
        return bar;
    }
    COLORREF At(BForm& bar, int xTwips, int yTwips) { return GetPixel(bar.hDC(), xTwips / 15, yTwips / 15); }
    void TearDown() override { form.Unload(); }
    HostForm form;
};

}  // namespace

TEST_F(BFormTest, TwelveHundredTwipBarShowsLeftCapThenRightCapFrom200) {
    auto bar = Bar(1200);
    ASSERT_TRUE(bar->HasSkin());
    EXPECT_EQ(At(*bar, 75, 375), kLeftCap);
    EXPECT_EQ(At(*bar, 180, 375), kLeftCap);
    EXPECT_EQ(At(*bar, 210, 375), kRightCap);  // right cap from 1200 - 1000 = 200
    EXPECT_EQ(At(*bar, 1185, 375), kRightCap);
    // The caption "NewForm" starts at (120, 100).
    int left = -1, top = -1;
    for (int x = 0; x < 80 && left < 0; ++x)
        for (int y = 0; y < 33; ++y)
            if (Ink(GetPixel(bar->hDC(), x, y))) {
                left = x;
                break;
            }
    for (int y = 0; y < 33 && top < 0; ++y)
        for (int x = 0; x < 80; ++x)
            if (Ink(GetPixel(bar->hDC(), x, y))) {
                top = y;
                break;
            }
    EXPECT_GE(left, 8);
    EXPECT_LE(left, 10);
    EXPECT_GE(top, 7);
    EXPECT_LE(top, 12);
    bar->Caption(L"");
    for (int x = 0; x < 80; ++x)
        for (int y = 1; y < 33; ++y) ASSERT_FALSE(Ink(GetPixel(bar->hDC(), x, y))) << x << "," << y;
}

TEST_F(BFormTest, WideBarRepeatsTheMiddlePieceBetweenTheCaps) {
    auto bar = Bar(3000);
    EXPECT_EQ(At(*bar, 150, 375), kLeftCap);
    EXPECT_EQ(At(*bar, 450, 375), kMiddle);   // left cap's own middle part
    EXPECT_EQ(At(*bar, 1500, 375), kMiddle);  // repeated pieces
    EXPECT_EQ(At(*bar, 1980, 375), kMiddle);
    EXPECT_EQ(At(*bar, 2010, 375), kRightCap);
    // Growing the bar repaints it at its new width.
    SetWindowPos(bar->hwnd(), nullptr, 0, 0, 4500 / 15, 33, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(At(*bar, 3000, 375), kMiddle);
    EXPECT_EQ(At(*bar, 3600, 375), kRightCap);
    // Nomin covers the minimise area of the right cap with the plain skin
    // found 1200 twips from the skin's right edge.
    EXPECT_EQ(At(*bar, 4500 - 830 + 15, 375), kRightCap);
    bar->Nomin();
    EXPECT_EQ(At(*bar, 4500 - 830 + 15, 375), kMiddle);
}

TEST_F(BFormTest, HeightIsAlwaysFiveHundredTwips) {
    auto bar = Bar(1200);
    RECT r;
    GetClientRect(bar->hwnd(), &r);
    EXPECT_EQ(r.bottom, 33);
    SetWindowPos(bar->hwnd(), nullptr, 0, 0, 80, 100, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(bar->hwnd(), &r);
    EXPECT_EQ(r.bottom, 33);
    EXPECT_EQ(r.right, 80);
}

TEST_F(BFormTest, PressSendsTheCaptionHitToFrmHwndThenRaisesMouseDown) {
    auto bar = Bar(1200);
    HWND target = MakeRecorder();
    std::vector<std::wstring> order;
    g_received.clear();
    bar->MouseDown = [&](int16_t& button, int16_t&, float& x, float& y) {
        order.push_back(L"MouseDown " + std::to_wstring(button) + L" " + std::to_wstring(g_received.size()));
        EXPECT_EQ(x, 150.f);
        EXPECT_EQ(y, 75.f);
    };
    int moves = 0, doubles = 0;
    bar->MouseMove = [&](int16_t&, int16_t&, float&, float&) { ++moves; };
    bar->DblClick = [&] { ++doubles; };
    bar->frmHwnd(target);
    SendMessageW(bar->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    ASSERT_EQ(g_received.size(), 1u);
    EXPECT_EQ(g_received[0].first, static_cast<UINT>(WM_NCLBUTTONDOWN));
    EXPECT_EQ(g_received[0].second, static_cast<WPARAM>(HTCAPTION));
    EXPECT_EQ(order, std::vector<std::wstring>{L"MouseDown 1 1"});
    // A right press moves nothing.
    SendMessageW(bar->hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 5));
    EXPECT_EQ(g_received.size(), 1u);
    // With frmHwnd 0 nothing is dragged and MouseDown is still raised.
    bar->frmHwnd(nullptr);
    SendMessageW(bar->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    EXPECT_EQ(g_received.size(), 1u);
    EXPECT_EQ(order.size(), 3u);
    SendMessageW(bar->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(12, 6));
    SendMessageW(bar->hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(12, 6));
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(doubles, 1);
    DestroyWindow(target);
}

TEST_F(BFormTest, PrintformPaintsSidesBottomAndCornersOntoTheForm) {
    auto bar = Bar(6000);
    form.Show();
    bar->Printform(form);
    HDC dc = form.hDC();
    EXPECT_EQ(GetPixel(dc, 1, 150), kBorder);    // left border
    EXPECT_EQ(GetPixel(dc, 398, 150), kBorder);  // right border
    EXPECT_EQ(GetPixel(dc, 200, 298), kBottom);  // bottom border
    EXPECT_EQ(GetPixel(dc, 1, 298), kBottom);    // bottom-left corner
    EXPECT_EQ(GetPixel(dc, 398, 298), kBottom);  // bottom-right corner
    EXPECT_EQ(GetPixel(dc, 200, 150), kBack);    // inside stays clear
    EXPECT_EQ(GetPixel(dc, 1, 10), kBack);       // the sides start at 300 twips
    EXPECT_EQ(GetPixel(dc, 1, 20), kBorder);
}

TEST_F(BFormTest, MissingSkinShowsBackgroundAndCaptionOnly) {
    TempDir empty;
    auto bar = Bar(1200, empty.Path());
    EXPECT_FALSE(bar->HasSkin());
    bar->BackColor(L"255");
    EXPECT_EQ(bar->BackColor(), L"255");
    EXPECT_EQ(At(*bar, 900, 375), RGB(255, 0, 0));
    bar->Printform(form);
    EXPECT_EQ(GetPixel(form.hDC(), 1, 150), kBack);
}

TEST_F(BFormTest, PersistedPropertiesWithTheirDefaults) {
    auto bar = Bar(1200);
    PropertyBag fresh;
    bar->WriteProperties(fresh);
    EXPECT_TRUE(fresh.Keys().empty());
    EXPECT_EQ(bar->BackColor(), L"14346732");
    EXPECT_EQ(bar->Caption(), L"NewForm");
    std::vector<std::wstring> changed;
    bar->PropertyChanged = [&](const wchar_t* name) { changed.push_back(name); };
    bar->BackColor(L"14540253");
    bar->Caption(L"游戏浏览器");
    bar->frmHwnd(form.hWnd());
    EXPECT_EQ(changed, (std::vector<std::wstring>{L"BackColor", L"Caption", L"frmHwnd"}));
    PropertyBag bag;
    bar->WriteProperties(bag);
    EXPECT_EQ(bag.Keys(), (std::vector<std::wstring>{L"BackColor", L"Caption", L"frmHwnd"}));
    auto loaded = Bar(1200);
    loaded->ReadProperties(bag);
    EXPECT_EQ(loaded->BackColor(), L"14540253");
    EXPECT_EQ(loaded->Caption(), L"游戏浏览器");
    EXPECT_EQ(loaded->frmHwnd(), form.hWnd());
}

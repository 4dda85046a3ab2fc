// Form lifecycle, geometry in twips and pixels, and events from real messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "App.h"
#include "Form.h"
#include "PictureBox.h"
#include "Pump.h"
#include "Timer.h"
#include "runtime_pictures.h"

namespace {

// Records the order of its handlers, as the programs' forms override them.
class LoggingForm : public Form {
public:
    LoggingForm() {
        Caption(L"Logging");
        ScaleMode(ScaleModeConstants::Pixels);
        ClientSize(300 * 15, 200 * 15);
    }
    std::vector<std::wstring> log;
    int cancelUnload = 0;
    bool windowAliveInUnload = false;
    std::function<void()> onLoad;
    std::function<void()> onUnload;

    using Form::Form_MouseDown;

protected:
    void Form_Load() override {
        log.push_back(L"Load");
        if (onLoad) onLoad();
    }
    void Form_Unload(int& Cancel) override {
        log.push_back(L"Unload");
        windowAliveInUnload = IsWindow(hwnd());
        if (onUnload) onUnload();
        Cancel = cancelUnload;
    }
    void Form_Resize() override { log.push_back(L"Resize " + std::to_wstring(ScaleWidth()) + L"x" + std::to_wstring(ScaleHeight())); }
    void Form_MouseDown(int Button, int Shift, int X, int Y) override {
        log.push_back(L"MouseDown " + std::to_wstring(Button) + L" " + std::to_wstring(X) + L"," + std::to_wstring(Y));
    }
    void Form_MouseUp(int Button, int Shift, int X, int Y) override { log.push_back(L"MouseUp " + std::to_wstring(Button)); }
    void Form_Click() override { log.push_back(L"Click"); }
};

TEST(Form, LoadsOnFirstTouchAndShowsOnce) {
    LoggingForm f;
    EXPECT_FALSE(f.Loaded());
    EXPECT_EQ(f.hwnd(), nullptr);
    const int width = f.Width();  // reading geometry loads the form
    EXPECT_TRUE(f.Loaded());
    ASSERT_NE(f.hwnd(), nullptr);
    EXPECT_EQ(f.log, std::vector<std::wstring>{L"Load"});
    EXPECT_GT(width, 300 * 15);  // outer width includes the frame
    EXPECT_FALSE(IsWindowVisible(f.hwnd()));
    f.Show();
    EXPECT_TRUE(IsWindowVisible(f.hwnd()));
    EXPECT_EQ(f.log, (std::vector<std::wstring>{L"Load", L"Resize 300x200"}));
    wchar_t title[64];
    GetWindowTextW(f.hwnd(), title, 64);
    EXPECT_STREQ(title, L"Logging");
    f.Hide();
    EXPECT_FALSE(IsWindowVisible(f.hwnd()));
    EXPECT_TRUE(f.Loaded());
    f.Unload();
}

TEST(Form, UnloadRunsHandlerThenDestroysAndRestoresDesign) {
    LoggingForm f;
    f.Show();
    HWND first = f.hwnd();
    f.Caption(L"Changed at run time");
    f.cancelUnload = 1;
    f.Unload();
    EXPECT_TRUE(f.Loaded());
    EXPECT_TRUE(IsWindow(first));
    f.cancelUnload = 0;
    f.Unload();
    EXPECT_FALSE(f.Loaded());
    EXPECT_TRUE(f.windowAliveInUnload);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(f.Caption(), L"Logging");
    f.Unload();  // not loaded: nothing happens
    EXPECT_EQ(std::count(f.log.begin(), f.log.end(), L"Unload"), 2);
    f.Show();  // loads afresh
    EXPECT_EQ(std::count(f.log.begin(), f.log.end(), L"Load"), 2);
    f.Unload();
}

TEST(Form, SystemCloseUnloads) {
    LoggingForm f;
    f.Show();
    SendMessageW(f.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(f.Loaded());
    EXPECT_EQ(f.log.back(), L"Unload");
}

TEST(Form, GeometryInTwipsAndScaleInPixels) {
    LoggingForm f;
    f.BorderStyle(FormBorderStyleConstants::None);
    f.Move(1500, 3000, 6000, 4500);
    f.Show();
    RECT r;
    GetWindowRect(f.hwnd(), &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 200);
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(r.bottom - r.top, 300);
    EXPECT_EQ(f.Left(), 1500);
    EXPECT_EQ(f.Width(), 6000);
    EXPECT_EQ(f.ScaleWidth(), 400);  // no frame: inner = outer, in pixels
    EXPECT_EQ(f.ScaleHeight(), 300);
    f.ScaleMode(ScaleModeConstants::Twips);
    EXPECT_EQ(f.ScaleWidth(), 6000);
    f.Width(1507);  // 100.47 pixels: rounded to 100
    EXPECT_EQ(f.Width(), 1500);
    f.Unload();
}

TEST(Form, WindowStateWhileShownAndHidden) {
    LoggingForm f;
    f.Show();
    f.WindowState(FormWindowStateConstants::Minimized);
    EXPECT_TRUE(IsIconic(f.hwnd()));
    EXPECT_EQ(f.WindowState(), FormWindowStateConstants::Minimized);
    f.WindowState(FormWindowStateConstants::Normal);
    EXPECT_FALSE(IsIconic(f.hwnd()));
    f.WindowState(FormWindowStateConstants::Maximized);
    EXPECT_TRUE(IsZoomed(f.hwnd()));
    f.Hide();
    f.WindowState(FormWindowStateConstants::Normal);  // takes effect when shown
    EXPECT_FALSE(IsWindowVisible(f.hwnd()));
    f.Show();
    EXPECT_FALSE(IsZoomed(f.hwnd()));
    EXPECT_EQ(f.WindowState(), FormWindowStateConstants::Normal);
    f.Unload();
}

TEST(Form, MouseMessagesBecomeEventsInScaleUnits) {
    LoggingForm f;
    f.Show();
    f.log.clear();
    SendMessageW(f.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20));
    SendMessageW(f.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(11, 21));
    EXPECT_EQ(f.log, (std::vector<std::wstring>{L"MouseDown 1 10,20", L"MouseUp 1", L"Click"}));
    f.ScaleMode(ScaleModeConstants::Twips);
    f.log.clear();
    SendMessageW(f.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(2, 3));
    EXPECT_EQ(f.log, std::vector<std::wstring>{L"MouseDown 2 30,45"});
    f.Unload();
}

TEST(Form, ModalShowDisablesOwnerUntilUnloaded) {
    LoggingForm owner, dialog;
    owner.Show();
    bool ownerEnabledDuringModal = true;
    HWND ownerOfDialog = nullptr;
    // The close arrives through the dialog's own modal loop.
    dialog.onLoad = [&] { PostMessageW(dialog.hwnd(), WM_CLOSE, 0, 0); };
    dialog.onUnload = [&] {
        ownerEnabledDuringModal = IsWindowEnabled(owner.hwnd());
        ownerOfDialog = GetWindow(dialog.hwnd(), GW_OWNER);
    };
    dialog.Show(FormShowConstants::Modal, &owner);
    EXPECT_FALSE(ownerEnabledDuringModal);
    EXPECT_EQ(ownerOfDialog, owner.hwnd());
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
    owner.Unload();
}

TEST(Form, PageInsideAnotherFormUnloadsWithIt) {
    LoggingForm host, page;
    host.Show();
    page.Load();
    // As a tab strip hosts a page: a child of the host's window.
    SetWindowLongPtrW(page.hwnd(), GWL_STYLE, (GetWindowLongPtrW(page.hwnd(), GWL_STYLE) & ~WS_POPUP) | WS_CHILD);
    SetParent(page.hwnd(), host.hwnd());
    page.Move(150, 300);
    EXPECT_EQ(page.Left(), 150);  // relative to the host's inner area
    EXPECT_EQ(page.Top(), 300);
    bool pageWindowAlive = false;
    page.onUnload = [&] { pageWindowAlive = IsWindow(page.hwnd()); };
    host.Unload();
    EXPECT_FALSE(page.Loaded());
    EXPECT_EQ(page.log.back(), L"Unload");
    EXPECT_TRUE(pageWindowAlive);
    EXPECT_EQ(page.Caption(), L"Logging");
    page.Show();  // loads again as a top-level window
    EXPECT_EQ(GetParent(page.hwnd()), nullptr);
    page.Unload();
}

// A page made inside its host's window that makes its controls only when it
// first shows, as the launcher's catalogue page does at start.
class LatePage : public LoggingForm {
public:
    LatePage() {
        ControlsLater(true);
        box.Move(10, 20, 30, 40);
        ticker.Interval(10);
        ticker.Tick = [this] { ++ticks; };
    }
    PictureBox box{*this};
    Timer ticker{*this};
    int ticks = 0;
};

// Records each window this thread makes, with the parent it is made with.
class CreationRecord {
public:
    CreationRecord() { Current() = this; }
    ~CreationRecord() {
        UnhookWindowsHookEx(hook_);
        Current() = nullptr;
    }
    std::vector<std::pair<HWND, HWND>> made;  // window, parent at creation

private:
    static CreationRecord*& Current() {
        static CreationRecord* current = nullptr;
        return current;
    }
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HCBT_CREATEWND && Current())
            Current()->made.emplace_back(reinterpret_cast<HWND>(wParam),
                                         reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->hwndParent);
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook_ = SetWindowsHookExW(WH_CBT, Proc, nullptr, GetCurrentThreadId());
};

TEST(Form, PageMadeInItsHostMakesItsControlsWhenItFirstShows) {
    LoggingForm host;
    host.Show();
    LatePage page;
    page.ParentWindow(host.hWnd());
    {
        CreationRecord record;
        page.Load();
        // The page's window is made inside the host's, never as a window of its own.
        ASSERT_EQ(record.made.size(), 1u);
        EXPECT_EQ(record.made[0].first, page.hwnd());
        EXPECT_EQ(record.made[0].second, host.hwnd());
    }
    // A child that keeps out of the pages lying above it.
    EXPECT_TRUE(GetWindowLongW(page.hwnd(), GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(GetWindowLongW(page.hwnd(), GWL_STYLE) & WS_CLIPSIBLINGS);
    EXPECT_FALSE(GetWindowLongW(page.hwnd(), GWL_STYLE) & (WS_POPUP | WS_CAPTION | WS_THICKFRAME));
    EXPECT_EQ(page.log, std::vector<std::wstring>{L"Load"});
    EXPECT_EQ(page.box.hwnd(), nullptr);

    // Shown as a tab strip shows its page: the controls come first.
    SetWindowPos(page.hwnd(), HWND_TOP, 0, 0, 200, 100, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    ASSERT_NE(page.box.hwnd(), nullptr);
    EXPECT_EQ(GetParent(page.box.hwnd()), page.hwnd());
    EXPECT_EQ(page.box.Left(), 10);
    EXPECT_TRUE(PumpUntil([&] { return page.ticks > 0; }));

    // Loaded again, the controls wait again; asking for a control's window makes them.
    page.Unload();
    page.Load();
    EXPECT_EQ(page.box.hwnd(), nullptr);
    EXPECT_NE(page.box.hWnd(), nullptr);
    page.Unload();
    host.Unload();
}

TEST(Form, IconAndMousePointer) {
    LoggingForm f;
    f.Show();
    ASSERT_TRUE(f.Icon());  // the program's icon until one is set
    auto icon = LoadPicture(std::wstring(kPictureDir) + L"quadrants.ico");
    f.Icon(icon);
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(f.hwnd(), WM_GETICON, ICON_BIG, 0)), icon->HandleAs<HICON>());
    const auto cursorOverClient = [&] {
        SendMessageW(f.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(f.hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    f.MousePointer(MousePointerConstants::SizeNWSE);
    EXPECT_EQ(cursorOverClient(), LoadCursorW(nullptr, IDC_SIZENWSE));
    auto cur = LoadPicture(std::wstring(kPictureDir) + L"quadrants.cur");
    f.MouseIcon(cur);
    f.MousePointer(MousePointerConstants::Custom);
    EXPECT_EQ(cursorOverClient(), cur->HandleAs<HCURSOR>());
    f.Unload();
}

TEST(Form, RunReturnsWhenTheLastFormUnloads) {
    LoggingForm a, b;
    a.Show();
    b.Show();
    Timer t;
    int step = 0;
    t.Tick = [&] { ++step == 1 ? a.Unload() : b.Unload(); };
    t.Interval(30);
    App::Run();
    EXPECT_EQ(step, 2);
    EXPECT_EQ(Form::LoadedCount(), 0);
}

TEST(Form, ExceptionInHandlerDoesNotCrossTheWindowProcedure) {
    class Throwing : public Form {
    protected:
        void Form_MouseDown(int, int, int, int) override { throw std::runtime_error("handler failed"); }
    } f;
    f.Show();
    SendMessageW(f.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_TRUE(IsWindow(f.hwnd()));
    f.Unload();
}

}  // namespace

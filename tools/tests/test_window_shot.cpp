// The run command's helper against real windows of this process: it finds a
// window by caption, waits until it shows more than one colour and its pixels
// settle, and saves the screen as a PNG whose pixels are the window's.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "Pump.h"
#include "TempDir.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include "stb_image.h"

namespace {

constexpr COLORREF kLeft = RGB(200, 30, 40), kRight = RGB(20, 90, 210);
constexpr int kW = 320, kH = 200;

struct Target {
    bool blank = false;  // one colour all over: nothing painted yet, as far as the helper can tell
};

LRESULT CALLBACK TargetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* t = reinterpret_cast<Target*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            HBRUSH a = CreateSolidBrush(kLeft), b = CreateSolidBrush(t && t->blank ? kLeft : kRight);
            RECT l = {0, 0, kW / 2, kH}, r = {kW / 2, 0, kW, kH};
            FillRect(dc, &l, a);
            FillRect(dc, &r, b);
            DeleteObject(a);
            DeleteObject(b);
            EndPaint(hwnd, &ps);
            return 0;
        }
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class WindowShot : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc{};
        wc.lpfnWndProc = TargetProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"WindowShotTarget";
        RegisterClassW(&wc);
        wchar_t exe[MAX_PATH];
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        helper_ = exe;
        helper_ = helper_.substr(0, helper_.find_last_of(L'\\') + 1) + L"window_shot.exe";
        caption_ = L"Shot target " + std::to_wstring(GetCurrentProcessId());
    }

    void TearDown() override {
        if (window_) DestroyWindow(window_);
    }

    void Show(Target* target) {
        // In the screen's lower right corner, where the other tests' windows do not go.
        x_ = GetSystemMetrics(SM_CXSCREEN) - kW - 16;
        y_ = GetSystemMetrics(SM_CYSCREEN) - kH - 16;
        window_ = CreateWindowExW(WS_EX_TOPMOST, L"WindowShotTarget", caption_.c_str(), WS_POPUP, x_, y_, kW, kH,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(window_);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(target));
        ShowWindow(window_, SW_SHOWNOACTIVATE);
        UpdateWindow(window_);
    }

    // Runs the helper while this thread goes on painting; its exit code.
    DWORD Run(const std::wstring& caption, const std::wstring& out, int seconds) {
        std::wstring cmd = L"\"" + helper_ + L"\" \"" + caption + L"\" \"" + out + L"\" " + std::to_wstring(seconds);
        STARTUPINFOW si{sizeof si};
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(helper_.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return 1000 + GetLastError();
        CloseHandle(pi.hThread);
        PumpUntil([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, (seconds + 60) * 1000);
        DWORD code = 999;
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hProcess);
        return code;
    }

    static COLORREF PixelAt(const unsigned char* rgb, int width, int x, int y) {
        const unsigned char* p = rgb + (static_cast<size_t>(y) * width + x) * 3;
        return RGB(p[0], p[1], p[2]);
    }

    std::wstring helper_, caption_;
    HWND window_ = nullptr;
    int x_ = 0, y_ = 0;
};

TEST_F(WindowShot, SavesTheScreenOnceTheWindowHasPainted) {
    Target target;
    Show(&target);
    TempDir dir;
    const std::wstring out = dir.File(L"screen.png");
    ASSERT_EQ(Run(caption_, out, 60), 0u);

    FILE* f = _wfopen(out.c_str(), L"rb");
    ASSERT_TRUE(f);
    int w = 0, h = 0, n = 0;
    unsigned char* rgb = stbi_load_from_file(f, &w, &h, &n, 3);
    fclose(f);
    ASSERT_TRUE(rgb);
    EXPECT_EQ(w, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(h, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(PixelAt(rgb, w, x_ + 10, y_ + 10), kLeft);
    EXPECT_EQ(PixelAt(rgb, w, x_ + kW / 2 - 1, y_ + kH - 1), kLeft);
    EXPECT_EQ(PixelAt(rgb, w, x_ + kW / 2, y_), kRight);
    EXPECT_EQ(PixelAt(rgb, w, x_ + kW - 1, y_ + kH / 2), kRight);
    stbi_image_free(rgb);
}

TEST_F(WindowShot, NoSuchWindowEndsWithCodeTwoAndNoPicture) {
    TempDir dir;
    const std::wstring out = dir.File(L"none.png");
    EXPECT_EQ(Run(caption_ + L" (not shown)", out, 1), 2u);
    EXPECT_EQ(GetFileAttributesW(out.c_str()), INVALID_FILE_ATTRIBUTES);
    // Only waiting ("-"): the same answer, and a shown window is found.
    EXPECT_EQ(Run(caption_, L"-", 1), 2u);
    Target target;
    Show(&target);
    EXPECT_EQ(Run(caption_, L"-", 60), 0u);
}

TEST_F(WindowShot, AWindowShowingNothingYetEndsWithCodeThreeAndIsPicturedAnyway) {
    Target target;
    target.blank = true;
    Show(&target);
    TempDir dir;
    const std::wstring out = dir.File(L"blank.png");
    EXPECT_EQ(Run(caption_, out, 3), 3u);
    EXPECT_NE(GetFileAttributesW(out.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace

#include "GMenu.h"

#include <cwchar>

#include "Twips.h"

namespace {

constexpr int kFirstTop = 20, kLineStep = 360, kSeparator = 30;
constexpr int kWidthExtra = 660, kLineWidthLess = 380, kHeightExtra = 10;
constexpr UINT kTickMs = 100;

int Px(double twips) { return TwipsToPixels(twips); }

}  // namespace

GMenu::GMenu() {
    // The control draws nothing: a message-only window carries its timer.
    Create(MessageOnly(L"OrvaneGMenu"));
}

GMenu::~GMenu() {
    if (hwnd()) KillTimer(hwnd(), kTimer1);
}

FMenu& GMenu::Menu() {
    if (!menu_) menu_ = std::make_unique<FMenu>();
    return *menu_;
}

int GMenu::LetterHeight() { return Menu().TextSize(L"a").cy; }

void GMenu::Add(const std::wstring& caption, const std::shared_ptr<StdPicture>& picture) {
    FMenu& menu = Menu();
    if (Mytop == 0) Mytop = kFirstTop;
    FMenu::Line& line = menu.NewLine(Mytop);
    line.caption = caption;
    Mytop += kLineStep;
    const SIZE text = menu.TextSize(caption);
    line.Print((360 - text.cy) / 2, 100, line.foreColor);
    if (text.cx + kWidthExtra > MaxWidth) MaxWidth = text.cx + kWidthExtra;
    if (picture) menu.PaintIcon(line.Top(), picture.get());
}

void GMenu::ShowMenu(bool autoPlace, int x, int y) {
    FMenu& menu = Menu();
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT r;
    GetClientRect(menu.hwnd(), &r);
    menu.EraseFrame(PixelsToTwips(r.right), PixelsToTwips(r.bottom));
    const double W = MaxWidth;
    const int H = Mytop + kHeightExtra;
    for (int i = 1; i <= menu.LineCount(); ++i) menu.LineAt(i)->Width(static_cast<int>(W) - kLineWidthLess);
    if (autoPlace) {
        const int screenW = PixelsToTwips(GetSystemMetrics(SM_CXSCREEN));
        const int screenH = PixelsToTwips(GetSystemMetrics(SM_CYSCREEN));
        x = PixelsToTwips(cursor.x);
        y = PixelsToTwips(cursor.y);
        if (x + W > screenW) x = static_cast<int>(x - W);
        if (y + H > screenH) y -= H;
        if (y < 0) y = 0;
    }
    SetWindowPos(menu.hwnd(), nullptr, Px(x), Px(y), Px(W), Px(H), SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(menu.hwnd(), SW_SHOW);
    // A shown form is the active window; the timer closes the menu once it is not.
    SetForegroundWindow(menu.hwnd());
    menu.Form_Load();
    Timer1(kTickMs);
    menu.DrawFrame(static_cast<int>(W), H);
}

void GMenu::AddLine() { Mytop += kSeparator; }

void GMenu::UnLoadMenu() {
    // Unloaded while shown: nothing is left to watch.
    Timer1(0);
    menu_.reset();
    Mytop = 0;
    MaxWidth = 0;
    ClickIndex = 0;
}

std::wstring GMenu::GetCaption(int index) {
    FMenu::Line* line = Menu().LineAt(index);
    return line ? line->caption : L"";
}

void GMenu::SetCaption(int index, const std::wstring& caption) {
    FMenu::Line* line = Menu().LineAt(index);
    if (line) line->caption = caption;
    PrintChange(index);
    const SIZE text = Menu().TextSize(caption);
    if (text.cx + kWidthExtra > MaxWidth) MaxWidth = text.cx + kWidthExtra;
}

void GMenu::SetEnabled(int index, bool mode) {
    FMenu::Line* line = Menu().LineAt(index);
    if (!line) return;
    EnableWindow(line->hwnd(), mode);
    if (mode) {
        line->foreColor = FMenu::kLineForeColor;
        PrintChange(index);
        return;
    }
    // Engraved: a white copy down and right, then the grey text over it.
    const int h = LetterHeight();
    line->Print((360 - h) / 2 + 10, 120, RGB(255, 255, 255));
    line->foreColor = GetSysColor(COLOR_GRAYTEXT);
    line->Print((360 - h) / 2, 100, line->foreColor, false);
}

bool GMenu::GetEnabled(int index) {
    FMenu::Line* line = Menu().LineAt(index);
    return line && IsWindowEnabled(line->hwnd());
}

bool GMenu::GetCheck(int index) {
    FMenu::Line* line = Menu().LineAt(index);
    return line && line->checked;
}

int GMenu::GetCount() { return Menu().LineCount(); }

void GMenu::SetPicture(int index, const std::shared_ptr<StdPicture>& picture) {
    FMenu::Line* line = Menu().LineAt(index);
    if (!line || !picture || !picture->Handle()) return;
    Menu().ClearIcon(line->Top());
    Menu().PaintIcon(line->Top(), picture.get());
}

void GMenu::SetCheck(int index, bool mode) {
    FMenu::Line* line = Menu().LineAt(index);
    if (!line) return;
    line->checked = mode;
    if (mode)
        Menu().PaintCheck(line->Top());
    else
        Menu().ClearIcon(line->Top());
}

void GMenu::ForeColor(int index, COLORREF color) {
    FMenu::Line* line = Menu().LineAt(index);
    if (line) line->foreColor = color;
    PrintChange(index);
}

void GMenu::SetFontFlag(int index, bool FMenu::Line::*flag, bool mode) {
    FMenu::Line* line = Menu().LineAt(index);
    if (line) line->*flag = mode;
    PrintChange(index);
}

void GMenu::FontBold(int index, bool mode) { SetFontFlag(index, &FMenu::Line::bold, mode); }
void GMenu::FontItalic(int index, bool mode) { SetFontFlag(index, &FMenu::Line::italic, mode); }
void GMenu::FontStrikethru(int index, bool mode) { SetFontFlag(index, &FMenu::Line::strikethru, mode); }
void GMenu::FontUnderline(int index, bool mode) { SetFontFlag(index, &FMenu::Line::underline, mode); }

void GMenu::HideMenu() {
    if (menu_) ShowWindow(menu_->hwnd(), SW_HIDE);
    Timer1(0);
}

void GMenu::PrintChange(int index) {
    FMenu::Line* line = Menu().LineAt(index);
    if (!line) return;
    const int h = LetterHeight();
    line->Print((360 - h) / 2, 100, line->foreColor);
}

void GMenu::Timer1(UINT interval) {
    if (interval)
        SetTimer(hwnd(), kTimer1, interval, nullptr);
    else
        KillTimer(hwnd(), kTimer1);
}

void GMenu::OnTimer() {
    if (!menu_) {
        Timer1(0);
        return;
    }
    if (GetActiveWindow() == menu_->hwnd()) return;
    const int chosen = static_cast<int>(std::wcstol(menu_->Tag().c_str(), nullptr, 10));
    // The menu closes before Click is raised, so a handler that shows it
    // again (or unloads it, or ends the control) keeps what it did.
    ShowWindow(menu_->hwnd(), SW_HIDE);
    Timer1(0);
    if (chosen != 0) {
        ClickIndex = chosen;
        menu_->Tag(L"0");
        if (const auto handler = Click) handler(ClickIndex);
    }
}

LRESULT GMenu::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_TIMER: OnTimer(); return 0;
        default: return Default(msg, wParam, lParam);
    }
}

#include "MdlMenuComm.h"

#include "About.h"
#include "FUpload.h"
#include "MainFrm.h"
#include "MainMe.h"
#include "MenuPublic.h"
#include "PictureBox.h"

std::vector<std::shared_ptr<clsTopMenu>> MenuItems;
int16_t MenuItemCount = 0;
int32_t NextMenuID = 100;
bool MainMenuShown = false;
bool GameMenuShown = false;

namespace {

struct MenuDestroyer {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
std::unique_ptr<HMENU__, MenuDestroyer> popup;

// One line of a menu: its caption (empty: a separator) and the element of
// the main window's Pic that gives its icon (0: none).
struct MenuLine {
    const wchar_t* caption;
    int icon;
};

constexpr MenuLine kMainMenu[] = {
    {L"设置", 1},     {L"", 0},         {L"帮助建议(H)", 2}, {L"官方网站", 0},
    {L"检测更新", 0}, {L"关于我们", 0}, {L"", 0},            {L"安全退出(X)", 3},
};
constexpr MenuLine kGameMenu[] = {
    {L"游戏介绍", 4}, {L"运行游戏", 0}, {L"", 0}, {L"收藏游戏", 0}, {L"取消收藏", 0}, {L"", 0}, {L"删除游戏", 5},
};

// The icon a Pic element holds, or nullptr when it holds none.
HICON PicIcon(int index) {
    if (index <= 0) return nullptr;
    const auto picture = TheMainFrm().Pic(index).Picture();
    if (!picture || picture->Type() != PictureTypeConstants::Icon) return nullptr;
    return picture->HandleAs<HICON>();
}

template <std::size_t N>
void BuildAndShow(const MenuLine (&lines)[N], HWND owner) {
    TheMainFrm().LoadMenuIcons();
    ClearMenuItems();
    NextMenuID = 100;
    MenuItemCount = 0;
    popup.reset(CreatePopupMenu());
    for (const MenuLine& line : lines) {
        const bool separator = line.caption[0] == L'\0';
        AddMenuItem(popup.get(), line.caption, kMenuItemWidth, separator ? kMenuSeparatorHeight : kMenuItemHeight,
                    PicIcon(line.icon));
    }
    POINT at{};
    GetCursorPos(&at);
    TrackPopupMenu(popup.get(), TPM_LEFTALIGN | TPM_LEFTBUTTON, at.x, at.y, 0, owner, nullptr);
}

void MainMenuCommand(WPARAM id) {
    MainFrm& main = TheMainFrm();
    switch (id) {
    case 100:
        MenuPublic::MenuSZ();
        break;
    case 102:
        MenuPublic::MenuHelp();
        break;
    case 103:
        MenuPublic::MenuWeb();
        break;
    case 104:
        TheFUpload().Show(FormShowConstants::Modeless, &main);
        break;
    case 105:
        main.TimerRight.Enabled(false);
        TheAbout().Show(FormShowConstants::Modal, &main);
        break;
    case 107:
        main.Menu_Close_Click();
        break;
    }
}

void GameMenuCommand(WPARAM id) {
    MainMe& page = TheMainMe();
    switch (id) {
    case 100:
        page.GameRunWebUrl();
        break;
    case 101:
        page.GameRun();
        break;
    case 103:
        page.FavoriteRun();
        break;
    case 104:
        page.FavoriteDel();
        break;
    case 106:
        page.Image_Del();
        break;
    }
}

}  // namespace

HMENU PopupMenu() { return popup.get(); }

void ShowMainMenu() {
    MainMenuShown = true;
    GameMenuShown = false;
    BuildAndShow(kMainMenu, TheMainFrm().hWnd());
}

void ShowGameMenu() {
    MainMenuShown = false;
    GameMenuShown = true;
    BuildAndShow(kGameMenu, TheMainMe().hWnd());
}

void AddMenuItem(HMENU hMenu, const std::wstring& caption, int16_t width, int16_t height, HICON icon) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_TYPE;
    info.fType = MFT_OWNERDRAW;
    info.wID = static_cast<UINT>(NextMenuID);
    InsertMenuItemW(hMenu, static_cast<UINT>(GetMenuItemCount(hMenu)), TRUE, &info);
    auto item = std::make_shared<clsTopMenu>();
    item->InitMenu(NextMenuID, caption, width, height, icon);
    MenuItems.push_back(std::move(item));
    ++MenuItemCount;
    ++NextMenuID;
}

void MenuCommand(WPARAM id) {
    if (GameMenuShown)
        GameMenuCommand(id);
    else if (MainMenuShown)
        MainMenuCommand(id);
}

void ClearMenuItems() {
    MenuItems.clear();
    MenuItemCount = 0;
}

std::shared_ptr<StdPicture> MenuCheckPicture() {
    PictureBox& box = TheMainFrm().Pic(0);
    const HWND window = box.hWnd();
    RECT area{};
    if (!window || !GetClientRect(window, &area) || area.right <= 0 || area.bottom <= 0) return nullptr;
    // What the box shows (its colour and picture), whether or not it is visible.
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, area.right, area.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    box.PaintUnder(dc, area);
    SelectObject(dc, old);
    DeleteDC(dc);
    return StdPicture::FromBitmap(bitmap, true);
}

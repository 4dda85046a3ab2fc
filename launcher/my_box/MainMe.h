// The "我的盒子" page: the user's own games as a painted grid of 20 cells a
// page with page buttons, the all-games and favourites views, the web pane
// with the user's space page, and the commands of the game menu. Every way
// of starting a game ends in GameRun.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "AfterPaintTimer.h"
#include "Form.h"
#include "GameGridLayout.h"
#include "GridEntries.h"
#include "GridPageCache.h"
#include "ITabForm.h"
#include "PictureBox.h"
#include "Timer.h"
#include "ToolkitHosting.h"
#include "WebBrowserHosting.h"
#include "mdlUI.h"
#include "clsWndMsg.h"

class CTabItem;
class IuTab;
class clsTooltip;

// One grid entry: its name as the grid shows it; its picture is read when
// its page is composed.
struct GridEntry {
    std::wstring Name;
    bool MoreGames = false;  // the entry that leads to the catalogue
};

class MainMe : public Form, public ITabForm, public clsWndMsg {
public:
    MainMe();
    ~MainMe() override;

    // The decoded name of the game the next command works on.
    std::wstring G_GameName;

    // Navigates the web pane to the user's space page.
    void WebRefresh();
    // Reloads the list; with DL_Run "1" runs DL_Name.
    void Image_Flash_Add(const std::wstring& DL_Name, const std::wstring& DL_Run);
    void Image_Flash_Run(const std::wstring& DL_Name);
    void Image_Del();
    void FavoriteRun();
    void FavoriteDel();
    // Opens (or selects) the game's portal page in a tab of its own.
    void GameRunWebUrl();
    // Runs G_GameName: a Flash game in its tab, a web game in the player or
    // Internet Explorer.
    void GameRun();
    // Builds the entries from a query; their number.
    int LoadJpgs(const std::wstring& zSql);
    bool UnLoadJpgs();
    // True when the last list could not be read to its end from a library
    // that sqlite3.dll opened (a damaged file, or one held past the wait
    // for its lock).
    bool LibraryUnreadable() const { return libraryUnreadable_; }

    // ITabForm
    HWND hwnd() const override { return Window::hwnd(); }
    void Initialize(IuTab* Implement, CTabItem* Item) override;
    void Unload() override { Form::Unload(); }
    // clsWndMsg: the page's own message procedure.
    void Message(HWND hwnd, int32_t uMsg, WPARAM wParam, LPARAM lParam, LRESULT& ret) override;

    // All games / favourite games; the locked one marks the view shown.
    Hosted<iButton> Btn_GameAll{*this};
    Hosted<iButton> Btn_GameSc{*this};
    // DDE client towards the player.
    PictureBox Picture3;
    PictureBox Picture1;
    // The user's space page, shown once the first second has passed.
    Hosted<WebBrowser> WB{*this};
    Timer Timer_WB;

    // For the tests and the menus.
    GameGrid& Grid() { return grid_; }
    int GameCellCount() const { return entries_.Count(); }
    // Entry n (1-based).
    GridEntry Entry(int n) const;
    IuTab* TabHost() const { return host_; }

protected:
    void Form_Load() override;
    void OnDestroyed() override;

private:
    void LoadGameList(const std::wstring& zSql);
    void AddPageTips();
    void ChangeRow(const std::wstring& statement);
    void ReloadAfterFavourite();
    void ShowView(bool favourites);
    void OnMouseMove(int32_t x, int32_t y);
    void OnLeftUp(int32_t x, int32_t y);
    void OnRightUp(int32_t x, int32_t y);
    void OnWheel(int16_t delta);
    void WB_NewWindow2(bool& Cancel);
    void RunFlashGame(const std::wstring& introduce, const std::wstring& movie);
    void RunWebGame(const std::wstring& address);
    void ReleaseControls();
    void FreeEntries();
    void PaintPage(int page);
    // What the grid painter may use of this page.
    GridCanvas Canvas();
    // Entry n's picture file (empty: none may be read for it).
    std::wstring PicturePath(int n) const;
    void IdleWork();
    // Composes a page next to the one shown that has no sheet yet; false when none is left.
    bool PrepareNearPage();

    GameGrid grid_;
    GridEntries entries_;
    GridPageCache pages_;
    // Does the work the first paint of the page does not need while the
    // program is idle.
    AfterPaintTimer idle_;
    bool startDue_ = false;  // the buttons' tips and the web pane's first page
    bool tipsDue_ = false;   // the page tips of the list loaded last
    std::unique_ptr<GridSkin> skin_;
    std::unique_ptr<clsTooltip> tips_;
    IuTab* host_ = nullptr;       // the main window's strip
    CTabItem* item_ = nullptr;    // this page's tab
    bool libraryUnreadable_ = false;
};

// The name of the entry that leads to the catalogue.
inline constexpr wchar_t kMoreGames[] = L"更多游戏";

#include "MainMe.h"

#include <algorithm>

#include "CatalogueGroup.h"
#include "CTabItems.h"
#include "IuTab.h"
#include "MainFrm.h"
#include "MainGameUrl.h"
#include "MdlMenuClass.h"
#include "MdlMenuComm.h"
#include "OleColor.h"
#include "PageCommand.h"
#include "ProgramFiles.h"
#include "Settings.h"
#include "SqlText.h"
#include "StartupMarks.h"
#include "U_Login.h"
#include "U_Regedit.h"
#include "UtfToGb.h"
#include "WebBrowser.h"
#include "clsTooltip.h"
#include "iButton.h"
#include "mdlSubClass.h"
#include "mdlUI.h"

namespace {

const wchar_t kListAtLoad[] = L"Select * From Games  order by G_DateTime desc";
const wchar_t kListAll[] = L"Select * From Games order by G_DateTime desc";
const wchar_t kListFavourites[] = L"Select * From Games Where G_Favorite = 2 order by G_DateTime desc";

}  // namespace

MainMe::MainMe() : Picture3(*this), Picture1(*this), Timer_WB(*this), idle_(*this) {
    BorderStyle(FormBorderStyleConstants::None);
    ScaleMode(ScaleModeConstants::Pixels);
    BackColor(0xF9F9F9);  // RGB(249, 249, 249)
    AutoRedraw(true);
    ClientSize(791 * 15, 550 * 15);
    Btn_GameAll.Move(8, 524, 24, 24);
    Btn_GameAll.Design = [this](iButton& b) { b.Click = [this] { ShowView(false); }; };
    Btn_GameSc.Move(36, 524, 24, 24);
    Btn_GameSc.Design = [this](iButton& b) { b.Click = [this] { ShowView(true); }; };
    Picture3.Move(598, 0, 1, 553);
    Picture1.Move(599, 0, 1, 553);
    WB.Move(598, -2, 216, 574);
    WB.Visible(false);
    WB.Design = [this](WebBrowser& w) {
        w.NewWindow2 = [this](bool& Cancel) { WB_NewWindow2(Cancel); };
        w.DocumentComplete = [](const std::wstring&) { StartupMark("web pane navigated"); };
        StartupMark("My box's browser view made");
    };
    Timer_WB.Interval(1000);
    Timer_WB.Tick = [this] {
        Timer_WB.Interval(0);
        WB.Visible(true);
    };
    // A timer's tick comes only when no other message waits: the user's
    // input and the paints go first.
    idle_.Tick = [this] { IdleWork(); };
}

MainMe::~MainMe() { ReleaseControls(); }

void MainMe::Initialize(IuTab* Implement, CTabItem* Item) {
    host_ = Implement;
    item_ = Item;
}

void MainMe::Form_Load() {
    StartupMark("My box's controls made");
    HookWindow(hwnd(), this);
    skin_ = std::make_unique<GridSkin>();
    Picture(LoadSkinPicture(L"Skin\\DefaultSkin\\MainMe_bg.gif"));
    Btn_GameAll->BackPicture(LoadSkinPicture(L"Skin\\DefaultSkin\\game_all.bmp"));
    Btn_GameSc->BackPicture(LoadSkinPicture(L"Skin\\DefaultSkin\\game_sc.bmp"));
    Btn_GameAll->Locked(true);
    StartupMark("My box's skins loaded");
    LoadGameList(kListAtLoad);
    HookMenuForm(hwnd());
    // The buttons' tips and the web pane, hidden for its first second, wait
    // until the page has painted.
    startDue_ = true;
}

void MainMe::OnDestroyed() {
    Form::OnDestroyed();
    ReleaseControls();
}

void MainMe::ReleaseControls() {
    startDue_ = tipsDue_ = false;
    tips_.reset();
    FreeEntries();
    skin_.reset();
}

void MainMe::WebRefresh() {
    WB->Navigate(GetSpaceUrl());
}

// The space page's sign-in and registration links are marked by their
// element type; they open the program's own windows instead of a browser.
void MainMe::WB_NewWindow2(bool& Cancel) {
    std::wstring type;
    try {
        type = WB->Document()->activeElement().type();
    } catch (...) {
        return;  // no readable page: the browser goes its own way
    }
    if (type == L"8") {
        Cancel = true;
        TheU_Login().Show(FormShowConstants::Modeless, &TheMainFrm());
    } else if (type == L"9") {
        Cancel = true;
        TheU_Regedit().Show(FormShowConstants::Modeless, &TheMainFrm());
    }
}

// ---- entries ----

void MainMe::FreeEntries() {
    pages_.Clear();
    entries_.Clear();
}

int MainMe::LoadJpgs(const std::wstring& zSql) {
    FreeEntries();
    {
        CatalogueGroup group;
        CatalogueQuery query(group, zSql);
        std::wstring text;  // one buffer for the column of every row
        while (query.Step()) {
            query.Text(1, text);
            entries_.Add([&](std::wstring& names) { Utf8UrlDecode(text, names); });
        }
        // Learnt from the read itself: the start pays nothing more for it.
        libraryUnreadable_ = group.Started() && !query.Finished();
    }
    if (entries_.Count() < kCellsPerPage) entries_.AddMoreGames(kMoreGames);
    StartupMark("game list read");
    return entries_.Count();
}

bool MainMe::UnLoadJpgs() {
    FreeEntries();
    return true;
}

GridEntry MainMe::Entry(int n) const { return {std::wstring(entries_.Name(n)), entries_.IsMoreGames(n)}; }

GridCanvas MainMe::Canvas() {
    return {hwnd(), hDC(), TranslateColor(ForeColor()), grid_, *skin_, pages_, entries_,
            [this](int n) { return PicturePath(n); }};
}

std::wstring MainMe::PicturePath(int n) const {
    if (entries_.IsMoreGames(n)) return ProgramFile(L"Skin\\DefaultSkin\\MoveGame.bmp");
    // A name that is not a plain file name has no picture: nothing outside
    // the thumbnail folder is ever read for it.
    const std::wstring_view name = entries_.Name(n);
    if (!IsUsableGameName(name)) return {};
    return ProgramFile(L"Jpgs\\" + std::wstring(name) + L".jpg");
}

void MainMe::LoadGameList(const std::wstring& zSql) {
    LoadJpgs(zSql);
    grid_.SetItems(GameCellCount());
    grid_.LayoutPageButtons();
    DrawPageButtons(Canvas());
    grid_.LayoutCells();
    // The new tips come once the page has painted; the old ones go now.
    tips_.reset();
    tipsDue_ = true;
    PaintPage(0);
    StartupMark("grid drawn");
}

// Draws the page and has the pages next to it composed when the program is idle.
void MainMe::PaintPage(int page) {
    DrawGamePage(Canvas(), page);
    idle_.Arm();
}

// One piece a tick, so that input waits for one piece at most: what the
// load left for later (the tips need the common controls and a window of
// their own), then the pages next to the one shown.
void MainMe::IdleWork() {
    if (startDue_) {
        startDue_ = false;
        Btn_GameAll.ToolTipText(L"全部游戏");
        Btn_GameSc.ToolTipText(L"收藏游戏");
        WebRefresh();
        StartupMark("web pane navigating");
    } else if (tipsDue_) {
        tipsDue_ = false;
        tips_ = std::make_unique<clsTooltip>();
        AddPageTips();
        StartupMark("page tips added");
    } else if (!PrepareNearPage()) {
        idle_.Done();
    }
}

bool MainMe::PrepareNearPage() {
    for (int page : {grid_.CurrentPage + 1, grid_.CurrentPage - 1}) {
        if (page < 0 || page >= grid_.PageCount || pages_.Find(page)) continue;
        PreparePage(Canvas(), page);
        return true;
    }
    return false;
}

void MainMe::AddPageTips() {
    for (int i = 1; i <= grid_.PageCount && i <= kPageButtonCount; ++i) {
        const GridRect& r = grid_.PageButtons[i - 1].Rect;
        tips_->AddTool_ForRect(hwnd(), i, RECT{r.Left, r.Top, r.Right, r.Bottom}, L"第" + std::to_wstring(i) + L"页");
    }
}

// ---- views and commands ----

void MainMe::ShowView(bool favourites) {
    Btn_GameAll->Locked(!favourites);
    Btn_GameSc->Locked(favourites);
    UnLoadJpgs();
    LoadGameList(favourites ? kListFavourites : kListAll);
}

void MainMe::ChangeRow(const std::wstring& statement) {
    CatalogueGroup group;
    group.Exec(statement);
}

void MainMe::Image_Flash_Add(const std::wstring& DL_Name, const std::wstring& DL_Run) {
    UnLoadJpgs();
    LoadGameList(kListAtLoad);
    if (DL_Run == L"1") Image_Flash_Run(DL_Name);
}

void MainMe::Image_Flash_Run(const std::wstring& DL_Name) {
    G_GameName = DL_Name;
    GameRun();
}

void MainMe::Image_Del() {
    ChangeRow(L"Delete From [Games] Where [G_Name] = '" + SqlText(G_GameName) + L"'");
    UnLoadJpgs();
    LoadGameList(kListAtLoad);
}

void MainMe::ReloadAfterFavourite() {
    if (!Btn_GameSc->Locked()) return;
    UnLoadJpgs();
    LoadGameList(kListFavourites);
}

void MainMe::FavoriteRun() {
    ChangeRow(L"Update [Games] Set [G_Favorite] = 2 Where [G_Name] = '" + SqlText(G_GameName) + L"'");
    ReloadAfterFavourite();
}

void MainMe::FavoriteDel() {
    ChangeRow(L"Update [Games] Set [G_Favorite] = 1 Where [G_Name] = '" + SqlText(G_GameName) + L"'");
    ReloadAfterFavourite();
}

void MainMe::GameRunWebUrl() {
    CatalogueGroup group;
    if (!group.Open()) return;
    CatalogueQuery query(group, L"Select * From [Games]  Where [G_Name] = '" + SqlText(G_GameName) + L"'");
    while (query.Step()) {
        if (!host_) continue;
        CTabItems& items = host_->TabItems();
        const long found = items.FindItem(G_GameName);
        if (found != -1) {
            items.Selected(found);
            continue;
        }
        auto page = std::make_shared<MainGameUrl>();
        page->GameUrl(Utf8UrlDecode(query.Text(3)));
        items.Add(G_GameName, page, G_GameName);
        items.Selected(items.Count() - 1);
    }
}

// ---- the grid's mouse ----

void MainMe::Message(HWND hwnd, int32_t uMsg, WPARAM wParam, LPARAM lParam, LRESULT& ret) {
    if (hwnd == this->hwnd()) {
        const int32_t x = LoWord(static_cast<int32_t>(lParam)), y = HiWord(static_cast<int32_t>(lParam));
        switch (uMsg) {
        case WM_MOUSEMOVE: OnMouseMove(x, y); break;
        case WM_LBUTTONUP: OnLeftUp(x, y); break;
        case WM_RBUTTONUP: OnRightUp(x, y); break;
        case WM_MOUSEWHEEL: OnWheel(static_cast<int16_t>(HIWORD(static_cast<uint32_t>(wParam)))); break;
        }
    }
    ret = CallOldWndProc(hwnd, uMsg, wParam, lParam);
    if (uMsg == WM_PAINT && hwnd == this->hwnd()) {
        StartupMark("grid painted");
        idle_.Painted();
    }
}

void MainMe::OnMouseMove(int32_t x, int32_t y) {
    std::array<int32_t, kCellsPerPage> before{};
    for (int i = 0; i < kCellsPerPage; ++i) before[i] = grid_.GameCells[i].Hover;
    const GridHit hit = grid_.HoverHitTest(x, y);
    SetCursor(LoadCursorW(nullptr, hit.Hit ? IDC_HAND : IDC_ARROW));
    if (hit.Area == 1) {
        DrawPageButtons(Canvas());
        UpdateWindow(hwnd());
    } else if (hit.Area == 2) {
        // Every cell whose flag changed, each with its own state: a cell
        // left for another one loses its veil in the same move.
        for (int i = 0; i < kCellsPerPage; ++i)
            if (grid_.GameCells[i].Hover != before[i])
                DrawGameCell(Canvas(), grid_.EntryOf(i), grid_.GameCells[i], grid_.GameCells[i].Hover);
    }
}

void MainMe::OnLeftUp(int32_t x, int32_t y) {
    const GridHit hit = grid_.ClickHitTest(x, y);
    if (hit.Area == 1) {
        grid_.CurrentPage = hit.Index;
        DrawPageButtons(Canvas());
        PaintPage(hit.Index);
    } else if (hit.Area == 2) {
        const std::wstring name = Entry(grid_.EntryOf(hit.Index)).Name;
        if (name == kMoreGames) {
            if (host_) host_->Selected(1);
        } else {
            G_GameName = name;
            GameRun();
        }
    }
}

void MainMe::OnWheel(int16_t delta) {
    // The row of page buttons ends at the hundredth page; the wheel turns
    // the pages of a longer list, so every game stays reachable.
    if (grid_.PageCount <= kPageButtonCount || delta == 0) return;
    const int page = std::clamp(grid_.CurrentPage + (delta < 0 ? 1 : -1), 0, grid_.PageCount - 1);
    if (page == grid_.CurrentPage) return;
    grid_.ShowPage(page);
    DrawPageButtons(Canvas());
    PaintPage(page);
}

void MainMe::OnRightUp(int32_t x, int32_t y) {
    const GridHit hit = grid_.ClickHitTest(x, y);
    if (hit.Area != 2) return;
    const std::wstring name = Entry(grid_.EntryOf(hit.Index)).Name;
    if (name == kMoreGames) return;
    G_GameName = name;
    ShowGameMenu();
}

// The Flash game page's components, its tool bar and help panel: their
// skins, the help page and its scrolling, and the arrow cursor of the
// page's plain surfaces.
#include "FlashGame.h"
#include "FlashGameHelp.h"
#include "FlashGameLayout.h"
#include "ProgramFiles.h"

namespace {

// A skin picture, or none when its file is missing or unreadable: the
// control then shows without it and the page goes on.
std::shared_ptr<StdPicture> SkinPicture(const std::wstring& name) {
    return LoadSkinPicture(L"Skin\\DefaultSkin\\" + name);
}

}  // namespace

void FlashGame::DesignControls() {
    WebBForm.Move(0, 0, 11895, 495);
    // The title bar paints from the skin of the program folder the settings name.
    WebBForm.Make = [this](HWND parent, const RECT& r) {
        auto bar = std::make_unique<BForm>(BForm::CreateArgs{parent, r.left, r.top, r.right - r.left, 0, ProgramFolder()});
        if (bar->hwnd()) bar->ReadProperties(PropertyBag{});
        return bar;
    };
    WebBForm.Design = [this](BForm& bar) {
        bar.Caption(L"BlueForm");
        bar.BackColor(std::to_wstring(RGB(222, 222, 222)));
        bar.MouseMove = [this](int16_t&, int16_t&, float&, float&) { ArrowCursor(); };
    };
    web_min.Move(10200, 15, 360, 270);
    web_min.Design = [this](iButton& b) { b.Click = [this] { web_min_Click(); }; };
    web_close.Move(10560, 15, 645, 270);
    web_close.Design = [this](iButton& b) { b.Click = [this] { web_close_Click(); }; };

    auto arrow = [this](int, int, int, int) { ArrowCursor(); };
    Pic_Btn.Move(0, 7470, 11895, FlashGameLayout::kToolBarHeight);
    Pic_Btn.AutoRedraw(true);
    Pic_Btn.MouseDown = arrow;
    Pic_Btn.MouseMove = arrow;
    ImgLeft.Move(0, 0, 125, 780);
    Eject_ToolBg_L.Move(900, 0, 10, 780);
    Eject_ToolBg_L.MouseDown = arrow;
    Eject_ToolBg_L.MouseMove = arrow;
    ImgRight.Move(11760, 0, 125, 780);

    struct Button {
        Hosted<iButton>& control;
        int left, top, width, height;
        const wchar_t* tip;
        bool twoState;
        void (FlashGame::*click)();
    };
    const Button buttons[] = {
        {Eject_Tool_Closed, 190, 180, 640, 430, nullptr, false, &FlashGame::Eject_Tool_Closed_Click},
        {Eject_Tool_Replay, 999, 180, 640, 430, L"重玩（Alt + 1）", false, &FlashGame::Eject_Tool_Replay_Click},
        {Eject_Tool_Favorite, 1800, 180, 640, 430, L"收藏（Alt + 2）", false, &FlashGame::Eject_Tool_Favorite_Click},
        {Eject_Tool_Filling, 2595, 180, 645, 435, L"调整尺寸（Alt + 3）", true, &FlashGame::Eject_Tool_Filling_Click},
        {Eject_Tool_Pop, 3360, 180, 645, 435, L"全屏（Alt + 4）", true, &FlashGame::Eject_Tool_Pop_Click},
        {Eject_Tool_Popping, 4120, 180, 645, 435, nullptr, false, &FlashGame::Eject_Tool_Popping_Click},
        {Eject_Tool_Replay1, 4080, -240, 30, 30, nullptr, false, nullptr},
        {Eject_Tool_Trigger, 190, 190, 640, 430, nullptr, false, &FlashGame::Eject_Tool_Trigger_Click},
        {PicUp, 11235, 80, 645, 285, nullptr, false, &FlashGame::PicUp_Click},
        {PicDown, 11235, 440, 645, 285, nullptr, false, &FlashGame::PicDown_Click},
    };
    for (const Button& b : buttons) {
        b.control.Move(b.left, b.top, b.width, b.height);
        if (b.tip) b.control.ToolTipText(b.tip);
        b.control.Design = [this, twoState = b.twoState, click = b.click](iButton& button) {
            if (twoState) button.Style(1);
            if (click) button.Click = [this, click] { (this->*click)(); };
        };
    }

    Pic_Say.Move(0, 8400, 11895, FlashGameLayout::kToolBarHeight);
    Pic_Say.BackColor(RGB(182, 244, 244));
    Pic_Say.Visible(false);
    Pic_Say.MouseDown = arrow;
    Pic_Say.MouseMove = arrow;
    Label1.Move(960, 300, 975, 255);
    Label1.Caption(L"操作说明：");
    Label1.BackStyle(Label::BackStyleConstants::Transparent);
    WebBrowser1.Move(2000, -40, 9270, 790);
}

void FlashGame::ArrowCursor() { SetCursor(LoadCursorW(nullptr, IDC_ARROW)); }

void FlashGame::PaintToolBar() {
    if (auto middle = SkinPicture(L"InitImages\\Pan_Button_middle.bmp"))
        Pic_Btn.PaintPicture(middle, 0, 0, Pic_Btn.ScaleWidth(), Pic_Btn.ScaleHeight());
}

void FlashGame::Skin() {
    PaintToolBar();
    ImgLeft.Picture(SkinPicture(L"InitImages\\Pan_Button_left.bmp"));
    ImgRight.Picture(SkinPicture(L"InitImages\\Pan_Button_Right.bmp"));
    Pic_Say.Top(7470);
    const std::pair<Hosted<iButton>*, const wchar_t*> buttons[] = {
        {&Eject_Tool_Trigger, L"Eject_Tool_Trigger.bmp"},   {&Eject_Tool_Closed, L"Eject_Tool_Closed.bmp"},
        {&Eject_Tool_Replay, L"Eject_Tool_Replay.bmp"},     {&Eject_Tool_Popping, L"Eject_Tool_Popping.bmp"},
        {&Eject_Tool_Favorite, L"Eject_Tool_Favorite.bmp"}, {&Eject_Tool_Filling, L"Eject_Tool_Filling.bmp"},
        {&Eject_Tool_Pop, L"Eject_Tool_Pop.bmp"},           {&PicUp, L"Eject_Tool_Up.bmp"},
        {&PicDown, L"Eject_Tool_Down.bmp"},
    };
    for (const auto& [button, file] : buttons) (*button)->BackPicture(SkinPicture(file));
    Eject_ToolBg_L.Picture(SkinPicture(L"Eject_ToolBg_L.bmp"));
    web_close->BackPicture(SkinPicture(L"pellow\\close.bmp"));
    web_min->BackPicture(SkinPicture(L"pellow\\min2.bmp"));
}

void FlashGame::WriteHelpPage(const std::wstring& introduce) {
    WebBrowser1->Navigate(L"about:blank ");
    const std::shared_ptr<HtmlDocument> document = WebBrowser1->Document();
    document->open();
    for (const std::wstring& line : HelpPageLines(ProgramFolder(), introduce)) document->writeln(line);
    document->close();
    document->parentWindow().scrollBy(0, 10);
    document->parentWindow().scrollBy(0, -10);
}

void FlashGame::Eject_Tool_Closed_Click() { Pic_Say.Visible(true); }

void FlashGame::Eject_Tool_Trigger_Click() { Pic_Say.Visible(false); }

void FlashGame::PicUp_Click() { WebBrowser1->Document()->parentWindow().scrollBy(0, -10); }

void FlashGame::PicDown_Click() { WebBrowser1->Document()->parentWindow().scrollBy(0, 10); }

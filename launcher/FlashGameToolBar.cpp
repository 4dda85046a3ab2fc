// The Flash game page's components, its tool bar and help panel: their
// skins, the help page and its scrolling, and the arrow cursor of the
// page's plain surfaces.
#include "FlashGame.h"
#include "FlashGameHelp.h"
#include "ProgramFiles.h"
#include "Twips.h"

namespace {

int Px(int twips) { return TwipsToPixels(twips); }

std::unique_ptr<iButton> Button(Canvas& parent, int left, int top, int width, int height) {
    auto button = std::make_unique<iButton>(iButton::CreateArgs{parent.hWnd(), Px(left), Px(top), Px(width), Px(height)});
    ShowWindow(button->hwnd(), SW_SHOWNA);
    return button;
}

// A skin picture, or none when its file is missing or unreadable: the
// control then shows without it and the page goes on.
std::shared_ptr<StdPicture> SkinPicture(const std::wstring& name) {
    return LoadSkinPicture(L"Skin\\DefaultSkin\\" + name);
}

}  // namespace

void FlashGame::CreateComponents() {
    const HWND page = Form::hwnd();
    WebBForm = std::make_unique<BForm>(BForm::CreateArgs{page, 0, 0, Px(11895), 0, ProgramFolder()});
    WebBForm->InitProperties();
    WebBForm->Caption(L"BlueForm");
    WebBForm->BackColor(std::to_wstring(RGB(222, 222, 222)));
    web_min = Button(*this, 10200, 15, 360, 270);
    web_close = Button(*this, 10560, 15, 645, 270);

    Eject_Tool_Closed = Button(Pic_Btn, 190, 180, 640, 430);
    Eject_Tool_Replay = Button(Pic_Btn, 999, 180, 640, 430);
    Eject_Tool_Favorite = Button(Pic_Btn, 1800, 180, 640, 430);
    Eject_Tool_Filling = Button(Pic_Btn, 2595, 180, 645, 435);
    Eject_Tool_Filling->Style(1);
    Eject_Tool_Pop = Button(Pic_Btn, 3360, 180, 645, 435);
    Eject_Tool_Pop->Style(1);
    Eject_Tool_Popping = Button(Pic_Btn, 4120, 180, 645, 435);
    Eject_Tool_Replay1 = Button(Pic_Btn, 4080, -240, 30, 30);

    Eject_Tool_Trigger = Button(Pic_Say, 190, 190, 640, 430);
    WebBrowser1 = std::make_unique<WebBrowser>();
    WebBrowser1->Create(WebBrowser::Placement{Pic_Say.hWnd(), Px(2000), Px(-40), Px(9270), Px(790)});
    PicUp = Button(Pic_Say, 11235, 80, 645, 285);
    PicDown = Button(Pic_Say, 11235, 440, 645, 285);

    // Last, and on top of the title bar and caption buttons it covers in the tab.
    FlashReplay = std::make_unique<ShockwaveFlash>(ShockwaveFlash::CreateArgs{page});
    SetWindowPos(FlashReplay->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(Pic_Btn.hWnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(Pic_Say.hWnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FlashGame::DestroyComponents() {
    FlashReplay.reset();
    WebBrowser1.reset();
    for (auto* b : {&web_min, &web_close, &Eject_Tool_Closed, &Eject_Tool_Replay, &Eject_Tool_Favorite,
                    &Eject_Tool_Filling, &Eject_Tool_Pop, &Eject_Tool_Popping, &Eject_Tool_Replay1,
                    &Eject_Tool_Trigger, &PicUp, &PicDown})
        b->reset();
    WebBForm.reset();
}

void FlashGame::WireEvents() {
    Eject_Tool_Replay->Click = [this] { Eject_Tool_Replay_Click(); };
    Eject_Tool_Favorite->Click = [this] { Eject_Tool_Favorite_Click(); };
    Eject_Tool_Filling->Click = [this] { Eject_Tool_Filling_Click(); };
    Eject_Tool_Pop->Click = [this] { Eject_Tool_Pop_Click(); };
    Eject_Tool_Popping->Click = [this] { Eject_Tool_Popping_Click(); };
    Eject_Tool_Closed->Click = [this] { Eject_Tool_Closed_Click(); };
    Eject_Tool_Trigger->Click = [this] { Eject_Tool_Trigger_Click(); };
    PicUp->Click = [this] { PicUp_Click(); };
    PicDown->Click = [this] { PicDown_Click(); };
    web_close->Click = [this] { web_close_Click(); };
    web_min->Click = [this] { web_min_Click(); };

    auto arrow = [this](int, int, int, int) { ArrowCursor(); };
    Pic_Btn.MouseDown = arrow;
    Pic_Btn.MouseMove = arrow;
    Pic_Say.MouseDown = arrow;
    Pic_Say.MouseMove = arrow;
    Eject_ToolBg_L.MouseDown = arrow;
    Eject_ToolBg_L.MouseMove = arrow;
    WebBForm->MouseMove = [this](int16_t&, int16_t&, float&, float&) { ArrowCursor(); };
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
    const std::pair<iButton*, const wchar_t*> buttons[] = {
        {Eject_Tool_Trigger.get(), L"Eject_Tool_Trigger.bmp"}, {Eject_Tool_Closed.get(), L"Eject_Tool_Closed.bmp"},
        {Eject_Tool_Replay.get(), L"Eject_Tool_Replay.bmp"},   {Eject_Tool_Popping.get(), L"Eject_Tool_Popping.bmp"},
        {Eject_Tool_Favorite.get(), L"Eject_Tool_Favorite.bmp"}, {Eject_Tool_Filling.get(), L"Eject_Tool_Filling.bmp"},
        {Eject_Tool_Pop.get(), L"Eject_Tool_Pop.bmp"},         {PicUp.get(), L"Eject_Tool_Up.bmp"},
        {PicDown.get(), L"Eject_Tool_Down.bmp"},
    };
    for (const auto& [button, file] : buttons) button->BackPicture(SkinPicture(file));
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

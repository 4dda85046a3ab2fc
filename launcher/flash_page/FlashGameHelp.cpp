#include "FlashGameHelp.h"

#include "UtfToGb.h"

namespace {

// Address of the sprite sheet as the style sheet names it: forward slashes,
// blanks left as they are.
std::wstring SpriteSheet(const std::wstring& programFolder) {
    std::wstring url = programFolder;
    for (wchar_t& c : url)
        if (c == L'\\') c = L'/';
    return url + L"/Skin/DefaultSkin/icon_keys.png";
}

}  // namespace

std::wstring IntroductionText(const std::wstring& introduce) {
    std::wstring spaced;
    for (size_t i = 0; i < introduce.size();) {
        if (introduce.compare(i, 3, L"%20") == 0) {
            spaced += L' ';
            i += 3;
        } else {
            spaced += introduce[i++];
        }
    }
    return Utf8UrlDecode(spaced);
}

std::vector<std::wstring> HelpPageLines(const std::wstring& programFolder, const std::wstring& introduce) {
    const std::wstring sheet = SpriteSheet(programFolder);
    return {
        L"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">",
        L"<html xmlns=\"http://www.w3.org/1999/xhtml\">",
        L" <head> ",
        L" <meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />",
        L"<style type=\"text/css\">",
        L"body {background-color: #b6f4f4;}",
        L"html, body, span, applet, object, iframe,h1, h2, h3, h4, h5, h6, p, blockquote, pre,a, abbr, acronym, "
        L"address, big, cite, code,del, dfn, em, font, img, ins, kbd, q, s, samp,small, strike, strong, sub, sup, "
        L"tt, var,b, u, i, center,dl, dt, dd, ol, ul, li,fieldset, form, label, legend,table, caption, tbody, tfoot, "
        L"thead, tr, th, td {margin: 0;padding: 0;border: 0;outline: 0; font-size: 100%;vertical-align: "
        L"baseline;background: transparent;cursor:default}",
        L"html, body{margin: 0;padding: 0;border: 0;outline: 0; vertical-align: baseline;background: "
        L"transparent;font-size:12px;}",
        L".game_keyboard { margin-bottom:5px; list-style:none; padding-left:10px;}",
        L".game_keyboard ul{ overflow:hidden; zoom:1;}",
        L".game_keyboard li{ float:left; margin:5px 10px 0 0; line-height:30px; height:30px; font-size:12px; zoom:1;}",
        L".game_keyboard li span{ float:left; _display:inline;}",
        L".ico_c_mouseleft,.ico_c_mousescroll,.ico_c_mousemove,.ico_c_drag,.ico_full,.ico_c_alt,.ico_c_enter,"
        L".ico_c_shift,.ico_c_ctrl,.ico_c_tab,.ico_c_end,.ico_c_space,.ico_c_left,.ico_c_right,.ico_c_up,"
        L".ico_c_down,.ico_c_lr,.ico_c_ud,.ico_c_wasd,.ico_c_arrows{display:block; height:30px; margin-right:5px;  "
        L"text-indent:0em; line-height:99em; overflow:hidden; background:url(" +
            sheet + L")  no-repeat;}",
        L".ico_key{ width:24px; height:22px; line-height:12px; padding-top:5px; margin-right:5px; display: block; "
        L"text-align:center; font-size:9px; font-weight:bold; font-family:Verdana, Arial, Helvetica, sans-serif; "
        L"color:#316534; background:url(" +
            sheet + L") 0 -553px no-repeat;}",
        L".ico_c_mouseleft{width:18px; background-position:0 2px;}",
        L".ico_c_mousescroll{width:18px; background-position:0 -33px; }",
        L".ico_c_mousemove{width:23px; background-position:0 -68px;}",
        L".ico_c_drag{width:23px; background-position:0 -103px;}",
        L".ico_c_alt{ width:38px; background-position:0 -136px;}",
        L".ico_c_enter{ width:47px; background-position:0 -168px; }",
        L".ico_c_shift{ width:47px; background-position:0 -200px; }",
        L".ico_c_ctrl{ width:38px; background-position:0 -232px;}",
        L".ico_c_tab{ width:38px; background-position:0 -264px; }",
        L".ico_c_end{ width:38px; background-position:0 -296px;}",
        L".ico_c_space{ width:77px; background-position:0 -328px; }",
        L".ico_c_left{ width:24px; background-position:0 -360px;}",
        L".ico_c_right{ width:24px; background-position:0 -392px;}",
        L".ico_c_up{ width:24px; background-position:0 -424px;}",
        L".ico_c_down{ width:24px; background-position:0 -456px;}",
        L".ico_c_lr{ width:49px; background-position:0 -488px;}",
        L".ico_c_ud{ width:49px; background-position:0 -520px;}",
        L".ico_c_wasd{ width:52px; height:30px; background-position:0 -588px;}",
        L".ico_c_arrows{ width:52px; background-position:0 -628px;}",
        L".ico_full{ width:24px; background-position:0 -674px;}",
        L" </style> ",
        L" </head> ",
        L"<body scroll=\"no\" ondragstart=\"window.event.returnValue=false\" "
        L"oncontextmenu=\"window.event.returnValue=false\" onselectstart=\"event.returnValue=false\">",
        IntroductionText(introduce),
        L"</body>",
        L" </html> ",
    };
}

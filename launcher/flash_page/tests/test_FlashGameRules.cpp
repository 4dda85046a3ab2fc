// The Flash game page's rules without windows: where its movies come from,
// which game names name a saved file, the help page's lines and the popped-out
// layout at its start size.
#include <gtest/gtest.h>

#include "FlashGameHelp.h"
#include "FlashGameLayout.h"
#include "FlashGameMovie.h"

namespace {

TEST(FlashGameRules, MovieAddressesBySavedAbsoluteRelativeAndCapitalScheme) {
    const std::wstring app = L"C:\\Program Files\\Orvane", portal = L"http://portal.test";
    EXPECT_EQ(LeadInMovie(app), L"C:\\Program Files\\Orvane\\Games\\2.swf");
    EXPECT_EQ(ReplayMovie(app), L"C:\\Program Files\\Orvane\\Games\\1.swf");
    EXPECT_EQ(GameMovie(app, L"贪吃蛇", L"", portal), L"C:\\Program Files\\Orvane\\Games\\贪吃蛇.swf");
    EXPECT_EQ(GameMovie(app, L"x", L"http://cdn.test/a.swf?nosave", portal), L"http://cdn.test/a.swf?nosave");
    EXPECT_EQ(GameMovie(app, L"x", L"/swf/a.swf", portal), L"http://portal.test/swf/a.swf");
    EXPECT_EQ(GameMovie(app, L"x", L"swf/a.swf", portal), L"http://portal.testswf/a.swf") << "no separator added";
    EXPECT_EQ(GameMovie(app, L"x", L"HTTP://cdn.test/a.swf", portal), L"http://portal.testHTTP://cdn.test/a.swf");
    EXPECT_EQ(GameMovie(app, L"x", L"https://cdn.test/a.swf?nosave", portal), L"https://cdn.test/a.swf?nosave");
    // Only the scheme at the start makes the address full.
    EXPECT_EQ(GameMovie(app, L"x", L"/go?u=http://cdn.test/a.swf", portal), L"http://portal.test/go?u=http://cdn.test/a.swf");
}

TEST(FlashGameRules, OnlyPlainFileNamesNameASavedMovie) {
    EXPECT_EQ(SavedMovie(L"C:\\O", L"it's"), L"C:\\O\\Games\\it's.swf");
    for (const wchar_t* name : {L"", L"..", L"..\\..\\Windows\\x", L"a/b", L"C:x", L"x:stream", L"NUL", L"com1", L"a*"})
        EXPECT_EQ(SavedMovie(L"C:\\O", name), L"") << name;
    EXPECT_EQ(GameMovie(L"C:\\O", L"..\\x", L"", L"http://p"), L"");
    EXPECT_EQ(GameMovie(L"C:\\O", L"..\\x", L"/a.swf", L"http://p"), L"http://p/a.swf") << "addresses do not use the name";
}

TEST(FlashGameRules, HelpPageLinesInOrderWithTheSheetInForwardSlashes) {
    const std::vector<std::wstring> lines = HelpPageLines(L"D:\\My Games\\Orvane", L"a%20b%E4%BD%A0");
    ASSERT_EQ(lines.size(), 40u);
    EXPECT_EQ(lines[0], L"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">");
    EXPECT_EQ(lines[2], L" <head> ");
    const std::wstring sheet = L"url(D:/My Games/Orvane/Skin/DefaultSkin/icon_keys.png)";
    EXPECT_NE(lines[12].find(sheet + L"  no-repeat;}"), std::wstring::npos);
    EXPECT_EQ(lines[12].rfind(L".ico_c_mouseleft,", 0), 0u);
    EXPECT_NE(lines[13].find(sheet + L" 0 -553px no-repeat;}"), std::wstring::npos);
    EXPECT_EQ(lines[14], L".ico_c_mouseleft{width:18px; background-position:0 2px;}");
    EXPECT_EQ(lines[33], L".ico_full{ width:24px; background-position:0 -674px;}");
    EXPECT_EQ(lines[34], L" </style> ");
    EXPECT_EQ(lines[36].rfind(L"<body scroll=\"no\"", 0), 0u);
    EXPECT_EQ(lines[37], L"a b你");
    EXPECT_EQ(lines[39], L" </html> ");
}

TEST(FlashGameRules, IntroductionBlanksFirstThenUtf8) {
    EXPECT_EQ(IntroductionText(L"%20%2520%E6%96%B9"), L" %2520方") << "only groups of non-ASCII characters are decoded";
    EXPECT_EQ(IntroductionText(L""), L"");
}

TEST(FlashGameRules, PoppedOutLayoutAtItsStartSize) {
    using namespace FlashGameLayout;
    const Popped p = PoppedOut(kPopWidth, kPopHeight);
    EXPECT_EQ(p.movie.left, 60);
    EXPECT_EQ(p.movie.top, 495);
    EXPECT_EQ(p.movie.width, 10380);
    EXPECT_EQ(p.movie.height, 7865);
    EXPECT_EQ(PoppedBarTop(p.movie.height), 8360);
    EXPECT_EQ(p.barWidth, 10380);
    EXPECT_EQ(p.closeLeft, 9770);
    EXPECT_EQ(p.minLeft, 9410);
    EXPECT_EQ(p.capRight, 10255);
    EXPECT_EQ(RegionPixels(10500), 701);
    EXPECT_EQ(RegionPixels(9200), 614);  // 613.33 + 1
    const InTab t = BackInTab();
    EXPECT_EQ(t.barTop, 7475);
    EXPECT_EQ(t.movie.height, 7475);
}

}  // namespace

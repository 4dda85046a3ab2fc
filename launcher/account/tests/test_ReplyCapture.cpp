// The portal replies as the launcher reads them: the capture of a page's
// text, the update check's answer for each kind of reply, and the command
// that opens an address in the user's browser.
#include <gtest/gtest.h>

#include <string>

#include "BrowserCommand.h"
#include "ReplyCapture.h"
#include "UpdateReply.h"

namespace {

TEST(ReplyCapture, MarkupAndWhiteSpaceGoTheTextStays) {
    EXPECT_EQ(CaptureReply(L"<HTML><HEAD></HEAD><BODY>0</BODY></HTML>"), L"0");
    EXPECT_EQ(CaptureReply(L"<HTML><HEAD></HEAD>\r\n<BODY>\t3.1|server\\dir\\setup.exe \n</BODY></HTML>"),
              L"3.1|server\\dir\\setup.exe");
    // Every "/" goes, so an address written with slashes loses them.
    EXPECT_EQ(CaptureReply(L"<HTML><BODY>3.5|http://server/setup.exe</BODY></HTML>"), L"3.5|http:serversetup.exe");
    // The names are removed in capitals only, and each removal is one pass.
    EXPECT_EQ(CaptureReply(L"<html><body>ok</body></html>"), L"htmlbodyokbodyhtml");
    EXPECT_EQ(CaptureReply(L"HTHTMLML"), L"HTML");
    EXPECT_EQ(CaptureReply(L"用户名 错误"), L"用户名错误");
    EXPECT_EQ(CaptureReply(L""), L"");
}

TEST(ReplyCapture, ReplaceAllScansOnceFromTheLeft) {
    EXPECT_EQ(ReplaceAll(L"aaa", L"aa", L""), L"a");
    EXPECT_EQ(ReplaceAll(L"a/b/c", L"/", L"\\"), L"a\\b\\c");
    EXPECT_EQ(ReplaceAll(L"abc", L"", L"x"), L"abc");
    EXPECT_EQ(ReplaceAll(L"xhttp://y", L"http://", L""), L"xy");
}

TEST(ReplyCapture, LenstrCountsEveryCharacterWithoutA16BitLimit) {
    EXPECT_EQ(Lenstr(L""), 0u);
    EXPECT_EQ(Lenstr(L"3.0|x"), 5u);
    EXPECT_EQ(Lenstr(std::wstring(L"a\0b", 3)), 3u);
    EXPECT_EQ(Lenstr(std::wstring(40000, L'x')), 40000u);
    EXPECT_EQ(Lenstr(std::wstring(70000, L'字')), 70000u);
}

TEST(UpdateReply, VersionsUpToThreeAreCurrent) {
    for (const wchar_t* reply : {L"3.0|server\\setup.exe", L"3|server\\setup.exe", L"2.9|server\\setup.exe", L"3.0",
                                 L"-4|x", L"0.0001"}) {
        const UpdateAnswer a = AnswerUpdateReply(reply);
        EXPECT_TRUE(a.upToDate) << reply;
        EXPECT_FALSE(a.updateNeeded) << reply;
        EXPECT_FALSE(a.downloadAddress) << reply;
        EXPECT_FALSE(a.connectionFailed) << reply;
    }
}

TEST(UpdateReply, ANewerVersionOpensItsAddressInEachForm) {
    struct Case {
        const wchar_t* reply;
        const wchar_t* address;
    } cases[] = {
        {L"3.01|server\\setup.exe", L"http://server\\setup.exe"},
        {L"3.5|http:\\\\server\\setup.exe", L"http://\\\\server\\setup.exe"},
        {L"3.5|server\\setup.exe", L"http://server\\setup.exe"},
        // Forms the capture never leaves, but the answer handles alike.
        {L"3.5|http://server/dir/setup.exe", L"http://server\\dir\\setup.exe"},
        {L"4|http:server", L"http://server"},
        {L"3.5|", L"http://"},
        {L"3.5|a|b", L"http://a"},
    };
    for (const auto& c : cases) {
        const UpdateAnswer a = AnswerUpdateReply(c.reply);
        EXPECT_TRUE(a.updateNeeded) << c.reply;
        EXPECT_FALSE(a.upToDate) << c.reply;
        ASSERT_TRUE(a.downloadAddress) << c.reply;
        EXPECT_EQ(*a.downloadAddress, c.address) << c.reply;
        EXPECT_FALSE(a.connectionFailed) << c.reply;
    }
}

TEST(UpdateReply, ANewerVersionWithoutAddressOnlyTellsTheUser) {
    const UpdateAnswer a = AnswerUpdateReply(L"3.2");
    EXPECT_TRUE(a.updateNeeded);
    EXPECT_FALSE(a.downloadAddress);
    EXPECT_FALSE(a.upToDate);
    EXPECT_FALSE(a.connectionFailed);
}

TEST(UpdateReply, LongRepliesAreAConnectionFailure) {
    // 101 characters beginning with a newer version: both messages.
    std::wstring reply = L"3.5|server\\setup.exe";
    reply += std::wstring(101 - reply.size(), L'x');
    ASSERT_EQ(reply.size(), 101u);
    UpdateAnswer a = AnswerUpdateReply(reply);
    EXPECT_TRUE(a.updateNeeded);
    EXPECT_TRUE(a.downloadAddress);
    EXPECT_TRUE(a.connectionFailed);
    // Exactly 100 is still an answer.
    a = AnswerUpdateReply(reply.substr(0, 100));
    EXPECT_FALSE(a.connectionFailed);
    // An error page: long and not a number.
    a = AnswerUpdateReply(L"404NotFound" + std::wstring(200, L'e'));
    EXPECT_TRUE(a.connectionFailed);
    EXPECT_FALSE(a.updateNeeded);
    EXPECT_FALSE(a.upToDate);
    EXPECT_FALSE(a.downloadAddress);
    // The browser's page for an unreachable server, however short.
    a = AnswerUpdateReply(CaptureReply(L"<HTML><HEAD><TITLE>无法找到该页</TITLE></HEAD><BODY>x</BODY></HTML>"));
    EXPECT_TRUE(a.connectionFailed);
    EXPECT_FALSE(a.upToDate);
    // Far beyond 32767 characters.
    a = AnswerUpdateReply(L"2.0|" + std::wstring(50000, L'z'));
    EXPECT_TRUE(a.upToDate);
    EXPECT_TRUE(a.connectionFailed);
}

TEST(UpdateReply, AShortNonNumberIsAnsweredWithNothing) {
    for (const wchar_t* reply : {L"", L"abc", L"3.0abc|x", L"|3.5", L".", L"3.5.1|x", L"1e|x", L"--1", L"3,5|x"}) {
        const UpdateAnswer a = AnswerUpdateReply(reply);
        EXPECT_FALSE(a.updateNeeded) << reply;
        EXPECT_FALSE(a.upToDate) << reply;
        EXPECT_FALSE(a.connectionFailed) << reply;
        EXPECT_FALSE(a.downloadAddress) << reply;
    }
}

TEST(UpdateReply, VersionNumbers) {
    EXPECT_EQ(ReadVersion(L"3.01"), 3.01);
    EXPECT_EQ(ReadVersion(L"+3"), 3.0);
    EXPECT_EQ(ReadVersion(L".5"), 0.5);
    EXPECT_EQ(ReadVersion(L"4."), 4.0);
    EXPECT_EQ(ReadVersion(L"3e1"), 30.0);
    EXPECT_FALSE(ReadVersion(L"1e999"));
    EXPECT_FALSE(ReadVersion(L"0x10"));
    EXPECT_FALSE(ReadVersion(L"3 "));
    EXPECT_FALSE(ReadVersion(L"inf"));
    EXPECT_FALSE(ReadVersion(L"nan"));
}

TEST(BrowserCommand, TheAddressIsOneArgumentOfExplorer) {
    EXPECT_EQ(ExplorerCommandLine(L"http://127.0.0.1:8080"), L"Explorer.exe /s , http://127.0.0.1:8080");
    EXPECT_EQ(ExplorerCommandLine(L"http://server\\setup.exe"), L"Explorer.exe /s , http://server\\setup.exe");
    EXPECT_EQ(ExplorerCommandLine(L"http://\\\\server\\setup.exe"), L"Explorer.exe /s , http://\\\\server\\setup.exe");
    // Quotes cannot end the argument, and blanks and commas cannot split it.
    EXPECT_EQ(ExplorerCommandLine(L"http://a/\"&calc.exe"), L"Explorer.exe /s , http://a/%22&calc.exe");
    EXPECT_EQ(ExplorerCommandLine(L"https://a/b c,d\te\x4E2D"),
              L"Explorer.exe /s , https://a/b%20c%2Cd%09e%E4%B8%AD");
}

// The update reply's address reaches Explorer as one web address: a comma
// in it cannot hand Explorer a second object, and what makes no web
// address opens nothing.
TEST(BrowserCommand, AnUpdateAddressOpensOneWebAddressOrNothing) {
    auto commandFor = [](const wchar_t* reply) { return ExplorerCommandLine(*AnswerUpdateReply(reply).downloadAddress); };
    EXPECT_EQ(commandFor(L"3.5|server\\setup.exe,C:\\Windows\\System32\\calc.exe"),
              L"Explorer.exe /s , http://server\\setup.exe%2CC:\\Windows\\System32\\calc.exe");
    for (const wchar_t* reply : {L"3.5|x,C:\\Windows\\System32\\calc.exe", L"3.5|", L"3.5|\\\\", L"3.5|a\"b",
                                 L"3.5|evil@host\\x", L"3.5|host:99999\\x", L"3.5|host:\\x", L"3.5|ho st"})
        EXPECT_FALSE(commandFor(reply)) << reply;
}

}  // namespace

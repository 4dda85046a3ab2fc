// The download control's pure arithmetic: names, error codes, speed, fraction.
#include <gtest/gtest.h>

#include "DownloadErrors.h"
#include "DownloadName.h"
#include "TransferRate.h"

TEST(DownloadName, TakesTheLastSlashSegmentAsItIs) {
    EXPECT_EQ(FileNameFromAddress(L"http://127.0.0.1:8470/img/abc.jpg"), L"abc.jpg");
    EXPECT_EQ(FileNameFromAddress(L"http://h/swf/a%20b.swf?nosave"), L"a%20b.swf?nosave");
    EXPECT_EQ(FileNameFromAddress(L"http://h/dir/"), L"");
    EXPECT_EQ(FileNameFromAddress(L"http://h/a\\b.swf"), L"a\\b.swf");
}

TEST(DownloadName, OnlyPlainNamesStayInTheFolder) {
    EXPECT_TRUE(IsPlainFileName(L"abc.jpg"));
    EXPECT_TRUE(IsPlainFileName(L"a%20b.swf?nosave"));
    EXPECT_TRUE(IsPlainFileName(L"...jpg"));
    EXPECT_FALSE(IsPlainFileName(L""));
    EXPECT_FALSE(IsPlainFileName(L"."));
    EXPECT_FALSE(IsPlainFileName(L".."));
    EXPECT_FALSE(IsPlainFileName(L"..\\..\\Orvane.exe"));
    EXPECT_FALSE(IsPlainFileName(L"a.jpg:hidden"));
}

TEST(DownloadName, JoinsFolderAndNameWithOneBackslash) {
    EXPECT_EQ(PathInFolder(L"C:\\Prog\\Jpgs\\", L"a.jpg"), L"C:\\Prog\\Jpgs\\a.jpg");
    EXPECT_EQ(PathInFolder(L"C:\\Prog\\Jpgs", L"a.jpg"), L"C:\\Prog\\Jpgs\\a.jpg");
}

TEST(DownloadErrors, CodesFollowHowTheFetchEnded) {
    HttpGetResult r;
    r.kind = HttpGetResult::Done;
    r.received = 10;
    r.announced = 10;
    EXPECT_EQ(DownErrorFor(r, false, false), 0);
    r.announced = 0;  // no length given: whatever arrived is the file
    EXPECT_EQ(DownErrorFor(r, false, false), 0);
    r.announced = 11;  // closed early
    EXPECT_EQ(DownErrorFor(r, false, false), kDownUnknown);
    r.received = 0;
    r.announced = 0;
    EXPECT_EQ(DownErrorFor(r, false, false), kDownNoBytes);
    EXPECT_EQ(DownErrorFor(r, true, false), kDownSaveFailed);
    EXPECT_EQ(DownErrorFor(r, false, true), kDownNotDownloadable);
    r.kind = HttpGetResult::ErrorStatus;
    EXPECT_EQ(DownErrorFor(r, false, false), kDownNotDownloadable);
    r.kind = HttpGetResult::Redirect;
    EXPECT_EQ(DownErrorFor(r, false, false), kDownRedirect);
    r.kind = HttpGetResult::NetworkFailure;
    EXPECT_EQ(DownErrorFor(r, false, false), kDownUnknown);
}

TEST(DownloadErrors, TextsOfTheCodes) {
    EXPECT_EQ(DownErrorText(1), L"不可下载文件");
    EXPECT_EQ(DownErrorText(2), L"重定向");
    EXPECT_EQ(DownErrorText(3), L"没有字节返回");
    EXPECT_EQ(DownErrorText(4), L"文件保存错误");
    EXPECT_EQ(DownErrorText(99), L"不明错误");
    // Other codes have no name: the page says their number.
    EXPECT_EQ(DownErrorText(5), L"");
    EXPECT_EQ(DownErrorText(100), L"");
}

TEST(TransferRate, SpeedCoversAboutTheLastSecond) {
    TransferRate rate(1000);
    EXPECT_EQ(rate.BytesPerSecond(), 0);
    rate.Add(500, 1500);
    EXPECT_EQ(rate.BytesPerSecond(), 1000);
    rate.Add(1000, 2000);
    EXPECT_EQ(rate.BytesPerSecond(), 1000);
    // A stall: two seconds without bytes leave only the recent samples.
    rate.Add(1000, 3000);
    rate.Add(1000, 4000);
    EXPECT_EQ(rate.BytesPerSecond(), 0);
    rate.Add(5000, 4500);
    EXPECT_EQ(rate.BytesPerSecond(), 4000 * 1000 / 1500);
}

TEST(TransferRate, SurvivesTheClockWrapping) {
    TransferRate rate(0xFFFFFF00u);
    rate.Add(1000, 0x00000100u);  // 512 ms later
    EXPECT_EQ(rate.BytesPerSecond(), 1000 * 1000 / 512);
}

TEST(TransferRate, ReportsAtMostTenTimesASecond) {
    TransferRate rate(0);
    EXPECT_TRUE(rate.ReportDue(5));
    EXPECT_FALSE(rate.ReportDue(50));
    EXPECT_FALSE(rate.ReportDue(104));
    EXPECT_TRUE(rate.ReportDue(105));
}

TEST(TransferRate, FractionAndClamping) {
    EXPECT_FLOAT_EQ(ProgressFraction(0, 0), 0.0f);
    EXPECT_FLOAT_EQ(ProgressFraction(50, 0), 0.0f);
    EXPECT_FLOAT_EQ(ProgressFraction(25, 100), 0.25f);
    EXPECT_FLOAT_EQ(ProgressFraction(120, 100), 1.0f);
    EXPECT_EQ(ClampToLong(3000000000ull), 2147483647L);
    EXPECT_EQ(ClampToLong(42), 42L);
}

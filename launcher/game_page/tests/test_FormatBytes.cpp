// The download panel's texts: byte counts at the unit boundaries and percentages.
#include <gtest/gtest.h>

#include <cmath>

#include "FormatBytes.h"

namespace {

TEST(FormatBytes, UnitBoundaries) {
    EXPECT_EQ(FormatBytes(0), L"0b");
    EXPECT_EQ(FormatBytes(512), L"512b");
    EXPECT_EQ(FormatBytes(1023), L"1023b");
    EXPECT_EQ(FormatBytes(1024), L"1k");
    EXPECT_EQ(FormatBytes(2048), L"2k");
    EXPECT_EQ(FormatBytes(2047), L"1k") << "whole kilobytes, cut not rounded";
    EXPECT_EQ(FormatBytes(1048575), L"1023k");
    EXPECT_EQ(FormatBytes(1048576), L"1M");
    EXPECT_EQ(FormatBytes(1572864), L"1.5M");
    EXPECT_EQ(FormatBytes(3 * 1048576), L"3M");
    EXPECT_EQ(FormatBytes(1310720), L"1.3M") << "1.25 rounds its half away from zero";
    EXPECT_EQ(FormatBytes(10 * 1048576 + 1023), L"10M") << "\"10.0\" loses its \".0\", not its 0";
    EXPECT_EQ(FormatBytes(536870911), L"512M");
    EXPECT_EQ(FormatBytes(536870912), L"0.5G");
    EXPECT_EQ(FormatBytes(600LL * 1048576), L"0.6G");
    EXPECT_EQ(FormatBytes(1024LL * 1048576), L"1G");
    EXPECT_EQ(FormatBytes(2147483647), L"2G");
    EXPECT_EQ(FormatBytes(1024LL * 1024 * 1048576), L"1,024G") << "grouped thousands";
    EXPECT_EQ(FormatBytes(-5), L"-5b");
}

TEST(FormatBytes, PercentagesAndTheirNumbers) {
    EXPECT_EQ(FormatPercent(0), L"0%");
    EXPECT_EQ(FormatPercent(1), L"100%");
    EXPECT_EQ(FormatPercent(0.5), L"50%");
    EXPECT_EQ(FormatPercent(0.004), L"0%");
    EXPECT_EQ(FormatPercent(0.125), L"13%");
    EXPECT_EQ(FormatPercent(0.999), L"100%");
    EXPECT_EQ(FormatPercent(std::nan("")), L"0%");
    EXPECT_EQ(PercentValue(L"13%"), 13);
    EXPECT_EQ(PercentValue(L"100%"), 100);
    EXPECT_EQ(PercentValue(L"-2%"), -2);
    EXPECT_EQ(PercentValue(L"%"), 0);
}

}  // namespace

// The sign-in and registration addresses and the verification code, as pure
// logic: typed values cannot break out of their query field, and codes are
// four different characters of the alphabet drawn afresh each time.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "PortalRequest.h"
#include "VerifyCode.h"

namespace {
const std::wstring kAlphabet = L"123456789QWERTYUIOPASDFGHJKLZXCVBNM";
}

TEST(PortalRequest, ChannelChoosesThePagePathAndTheCookieChoiceTheLastField) {
    EXPECT_EQ(LoginAddress(L"http://h:1", L"5170", L"bob", L"pw", false),
              L"http://h:1/my/login.php?username=bob&password=pw&cookiesstate=0");
    EXPECT_EQ(LoginAddress(L"http://h:1", L"6082", L"bob", L"pw", true),
              L"http://h:1/login.php?username=bob&password=pw&cookiesstate=1");
    EXPECT_EQ(RegisterAddress(L"http://h:1", L"5170", L"bob", L"pw", L"a@b.cn"),
              L"http://h:1/my/register.php?username=bob&password=pw&email=a%40b.cn");
    EXPECT_EQ(RegisterAddress(L"http://h:1", L"6082", L"", L"", L""),
              L"http://h:1/register.php?username=&password=&email=");
}

TEST(PortalRequest, TypedValuesAreUtf8QueryValuesThatCannotAddFields) {
    EXPECT_EQ(QueryValueEncode(L" a&b#c+d%e=f "), L"%20a%26b%23c%2Bd%25e%3Df%20");
    EXPECT_EQ(QueryValueEncode(L"Az09-_.~"), L"Az09-_.~");
    EXPECT_EQ(QueryValueEncode(L"张三"), L"%E5%BC%A0%E4%B8%89");
    EXPECT_EQ(QueryValueEncode(L"é?/'\t"), L"%C3%A9%3F%2F%27%09");
    EXPECT_EQ(QueryValueEncode(L"\U0001F600"), L"%F0%9F%98%80");  // a surrogate pair is one character
    EXPECT_EQ(QueryValueEncode(std::wstring(1, wchar_t(0xD800)) + L"x"), L"%EF%BF%BDx");
    const std::wstring address = LoginAddress(L"http://h", L"5170", L"x&cookiesstate=1", L"p&username=y", false);
    EXPECT_EQ(address, L"http://h/my/login.php?username=x%26cookiesstate%3D1&password=p%26username%3Dy&cookiesstate=0");
}

TEST(VerifyCode, CodesAreFourDifferentAlphabetCharactersAndChangeFromDrawToDraw) {
    VerifyCode code;  // one generator for all draws, as a window has
    std::set<std::wstring> seen;
    std::set<wchar_t> used;
    for (int i = 0; i < 500; ++i) {
        const std::wstring c = code.Make(kAlphabet);
        ASSERT_EQ(c.size(), 4u);
        EXPECT_EQ(std::set<wchar_t>(c.begin(), c.end()).size(), 4u);
        for (wchar_t ch : c) {
            EXPECT_NE(kAlphabet.find(ch), std::wstring::npos);
            used.insert(ch);
        }
        seen.insert(c);
    }
    EXPECT_GT(seen.size(), 490u);           // back-to-back draws are not repeats of each other
    EXPECT_EQ(used.size(), kAlphabet.size());  // every character, first and last included, comes up
    EXPECT_EQ(used.count(L'0'), 0u);
    // A shuffle is a permutation of the whole alphabet.
    std::wstring all = code.Shuffle(kAlphabet);
    std::sort(all.begin(), all.end());
    std::wstring sorted = kAlphabet;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(all, sorted);
    // Two windows opened at the same moment still get their own codes.
    VerifyCode a, b;
    int same = 0;
    for (int i = 0; i < 20; ++i) same += a.Make(kAlphabet) == b.Make(kAlphabet);
    EXPECT_LT(same, 3);
}

// Addresses the player cannot trust: a command line and DDE executes of any
// length or content (empty, 100 KB, control characters, lone surrogates,
// addresses of no known scheme) are taken as addresses or refused without a
// crash, and the player stays usable.
#include "PlayerFixture.h"

namespace {

class PlayerHostileInputTest : public PlayerFixture {};

std::wstring Hostile(size_t index) {
    std::wstring controls;
    for (wchar_t c = 1; c < 0x20; ++c) controls += c;
    const std::wstring texts[] = {
        std::wstring(100 * 1024, L'a'),
        L"http://127.0.0.1:1/" + controls,
        std::wstring(L"http://127.0.0.1:1/\xD800\xDC00\xDBFF lone"),
        L"javascript:alert(1)",
        L"file:///C:/no/such/folder/" + std::wstring(4000, L'x') + L".html",
        L"::::",
        L"http://" + std::wstring(70000, L'h') + L"/",
    };
    return texts[index];
}
constexpr size_t kHostileCount = 7;

TEST_F(PlayerHostileInputTest, CommandLinesAndExecutesOfAnyContentOpenTabsOrNothing) {
    Start(std::wstring(L"\x01\x02 ") + std::wstring(30000, L'\xD800'));
    EXPECT_TRUE(messages.empty());
    ASSERT_EQ(Tabs().Count(), 1);

    EXPECT_TRUE(frm->DeliverLinkExecute(L""));
    EXPECT_EQ(Tabs().Count(), 1) << "an empty execute opens nothing";
    for (size_t i = 0; i < kHostileCount; ++i) {
        EXPECT_TRUE(frm->DeliverLinkExecute(Hostile(i))) << i;
        EXPECT_EQ(Tabs().Count(), static_cast<long>(i) + 2) << i;
        PumpFor(50);
    }
    // The same address again selects its tab instead of opening another.
    EXPECT_TRUE(frm->DeliverLinkExecute(Hostile(0)));
    EXPECT_EQ(Tabs().Count(), static_cast<long>(kHostileCount) + 1);
    EXPECT_EQ(Tabs().Selected(), 1);
    PumpFor(500);

    // Still a working player: a real game opens and shows its title.
    const std::wstring a = Url("a");
    EXPECT_TRUE(frm->DeliverLinkExecute(a));
    ASSERT_TRUE(PumpUntil([&] { return Tabs().Item(Tabs().Count() - 1)->Caption() == L"Game a"; }, 20000));
    EXPECT_EQ(ends, 0);
    EXPECT_TRUE(messages.empty());
}

}  // namespace

// Pages written to harm: what a page from the network names stays on the
// network. Its pictures, frames, base address, links and new windows reach
// no local file, no share and no pipe (the program's own navigation still
// opens the files of its folder). Its pictures and words cannot fill the
// memory: a picture declaring too many pixels, or whose header gives no size,
// is not decoded, and a view keeps its decoded pictures within a budget and
// the widths of few words.
#include <windows.h>
#include <psapi.h>

#include <fstream>

#include "BrowserFixture.h"
#include "PipeServer.h"
#include "ReadableFolderScope.h"
#include "TempDir.h"
#include "WebFonts.h"
#include "WebImage.h"
#include "WebUrl.h"

namespace {

size_t WorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{sizeof counters};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

std::string Narrow(const std::wstring& s) {
    std::string out;
    for (wchar_t c : s) out += static_cast<char>(c);  // the test's paths are ASCII
    return out;
}

// A 4 x 4 red 24-bit bitmap: the last picture of a page, whose showing says
// the pictures before it have had their turn.
std::string RedBitmap() {
    std::string bmp = BlueBitmap();
    for (size_t at = 54; at < bmp.size(); at += 3) bmp.replace(at, 3, std::string("\x00\x00\xFF", 3));
    return bmp;
}

class HostilePages : public BrowserFixture {
protected:
    void SetUp() override {
        BrowserFixture::SetUp();
        std::ofstream(dir.File(L"pic.bmp").c_str(), std::ios::binary) << BlueBitmap();
        std::ofstream(dir.File(L"secret.html").c_str(), std::ios::binary) << "<title>Secret</title>secret";
        std::ofstream(dir.File(L"local.html").c_str(), std::ios::binary)
            << "<body leftmargin=0 topmargin=0><img src=\"pic.bmp\"></body>";
        server_.Route("/marker.bmp", TestHttpServer::Text(RedBitmap(), "image/bmp"));
    }
    std::string FileUrl(const wchar_t* name) { return Narrow(LocalPathToFileUrl(dir.File(name))); }
    std::string Page(const std::string& path, const std::string& body) {
        server_.Route(path, TestHttpServer::Text("<body leftmargin=0 topmargin=0>" + body + "</body>"));
        return path;
    }
    bool MarkerShown() {
        return PumpUntil([&] { return Find(Rgb(255, 0, 0)).has_value(); }, 8000);
    }
    std::wstring Title(HWND hwnd) {
        wchar_t text[128] = L"";
        GetWindowTextW(hwnd, text, 128);
        return text;
    }

    TempDir dir;
    // The files are the program's own: only where a page came from keeps it away from them.
    ReadableFolderScope folder{dir.Path()};
    PipeServer pipe{BlueBitmap()};
};

}  // namespace

TEST_F(HostilePages, PicturesFramesAndTheBaseAddressReachNoLocalFileOrPipe) {
    ASSERT_TRUE(pipe.Valid());
    // A local page of the program's shows the picture (and the view keeps it decoded).
    ASSERT_TRUE(Load(dir.File(L"local.html")));
    ASSERT_TRUE(PumpUntil([&] { return Find(Rgb(0, 0, 255)).has_value(); }));
    const std::string pipePath = Narrow(pipe.Path());
    Page("/refs", "<img src=\"" + FileUrl(L"pic.bmp") + "\"><img src=\"" + Narrow(dir.File(L"pic.bmp")) +
                      "\"><img src=\"" + pipePath + "\"><img src=\"file://./pipe/" + pipePath.substr(9) +
                      "\"><img src=\"/marker.bmp\"><iframe src=\"" + FileUrl(L"secret.html") + "\"></iframe>");
    ASSERT_TRUE(Load(Url("/refs")));
    ASSERT_TRUE(MarkerShown());
    EXPECT_FALSE(Find(Rgb(0, 0, 255))) << "a local picture is shown";
    EXPECT_FALSE(pipe.Connected());
    EXPECT_EQ(view_->Document()->frames(0).Document()->title(), kNotFound);

    Page("/base", "<base href=\"" + FileUrl(L"") + "\"><img src=\"pic.bmp\"><img src=\"" + Narrow(Url("/marker.bmp")) + "\">");
    ASSERT_TRUE(Load(Url("/base")));
    ASSERT_TRUE(MarkerShown());
    EXPECT_FALSE(Find(Rgb(0, 0, 255))) << "a picture below a local base address is shown";
    EXPECT_FALSE(pipe.Connected());
}

TEST_F(HostilePages, LinksAndNewWindowsToLocalFilesShowTheNotFoundPage) {
    Page("/link", "<a href=\"" + FileUrl(L"secret.html") + "\">local</a>");
    ASSERT_TRUE(Load(Url("/link")));
    const size_t before = completes_.size();
    ASSERT_TRUE(ClickLink());
    ASSERT_TRUE(PumpUntil([&] { return completes_.size() > before; }));
    EXPECT_EQ(view_->Document()->title(), kNotFound);

    Page("/window", "<a href=\"" + Narrow(pipe.Path()) + "\" target=\"_blank\">pipe</a> <a href=\"" +
                        FileUrl(L"secret.html") + "\" target=\"_blank\">local</a>");
    ASSERT_TRUE(Load(Url("/window")));
    for (int link = 0; link < 2; ++link) {
        SendMessageW(view_->hwnd(), WM_KEYDOWN, VK_TAB, 0);
        SendMessageW(view_->hwnd(), WM_KEYDOWN, VK_RETURN, 0);
        HWND popup = nullptr;
        ASSERT_TRUE(PumpUntil([&] { return (popup = OwnPopup()) != nullptr && Title(popup) == kNotFound; }, 8000))
            << link << ": " << (popup ? Narrow(Title(popup)) : "no window");
        DestroyWindow(popup);
    }
    EXPECT_FALSE(pipe.Connected());
}

TEST_F(HostilePages, TheProgramOpensTheFilesOfItsFolderOnlyAndNeverAPipe) {
    ASSERT_TRUE(Load(dir.File(L"secret.html")));
    EXPECT_EQ(view_->Document()->title(), L"Secret");
    TempDir elsewhere;
    ReadableFolderScope other(elsewhere.Path());
    ASSERT_TRUE(Load(dir.File(L"secret.html")));
    EXPECT_EQ(view_->Document()->title(), kNotFound);
    ASSERT_TRUE(Load(pipe.Path()));
    EXPECT_EQ(view_->Document()->title(), kNotFound);
    EXPECT_FALSE(pipe.Connected());
}

// A run-length coded 8-bit bitmap of a few dozen bytes: its palette and an
// end of picture, whatever size it declares.
std::string RleBitmap(int32_t width, int32_t height) {
    std::string bmp = BlueBitmap().substr(0, 54) + std::string(8, '\x40') + std::string("\x00\x01", 2);
    auto put32 = [&](size_t at, int32_t v) { memcpy(&bmp[at], &v, 4); };
    put32(2, static_cast<int32_t>(bmp.size()));
    put32(10, 54 + 8);
    put32(18, width);
    put32(22, height);
    bmp[28] = 8;
    put32(30, 1);  // BI_RLE8
    put32(34, 2);
    put32(46, 2);  // colours used
    return bmp;
}

// A placeable metafile that draws nothing: a picture the system decodes but
// whose size no header of a known kind gives.
std::string Metafile() {
    std::string wmf;
    auto put16 = [&](uint16_t v) { wmf.append(reinterpret_cast<const char*>(&v), 2); };
    auto put32 = [&](uint32_t v) { wmf.append(reinterpret_cast<const char*>(&v), 4); };
    put32(0x9AC6CDD7);
    for (uint16_t v : {0, 0, 0, 1440, 1440, 1440}) put16(v);
    put32(0);
    uint16_t sum = 0;
    for (size_t i = 0; i < wmf.size(); i += 2)
        sum ^= static_cast<uint16_t>(static_cast<uint8_t>(wmf[i]) | static_cast<uint8_t>(wmf[i + 1]) << 8);
    put16(sum);
    for (uint16_t v : {1, 9, 0x300}) put16(v);
    put32(12);  // words in all
    put16(0);
    put32(3);  // the largest record
    put16(0);
    put32(3);  // the end record
    put16(0);
    return wmf;
}

size_t PeakWorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{sizeof counters};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize;
}

TEST(PictureLimits, APictureOfMorePixelsThanAViewKeepsIsNotDecoded) {
    const auto kept = DecodeImage(Png(2048, 2048, 0, 160, 0));
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->width, 2048);
    // 4096 x 4096: 64 MiB decoded from a file of a few dozen KiB.
    EXPECT_FALSE(DecodeImage(Png(4096, 4096, 0, 160, 0)));
    EXPECT_FALSE(DecodeImage(Png(kMaxPicturePixels + 1, 1, 0, 160, 0)));

    // Kinds that only the system's decoder reads have their size read first.
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    const auto small = DecodeImage(RleBitmap(64, 32));
    ASSERT_TRUE(small);
    EXPECT_EQ(small->width, 64);
    // A few dozen bytes declaring 20000 x 20000 had the system's decoder
    // take 1.4 GiB (this Wine refuses a bitmap of 30000 x 30000 itself).
    for (const int side : {30000, 20000}) {
        const size_t peak = PeakWorkingSet();
        EXPECT_FALSE(DecodeImage(RleBitmap(side, side))) << side;
        EXPECT_LT(PeakWorkingSet() - peak, size_t{64} << 20)
            << side << ": the peak grew by " << ((PeakWorkingSet() - peak) >> 20) << " MiB";
    }
    EXPECT_FALSE(DecodeImage(Metafile()));
    CoUninitialize();
}

// A view lives as long as the launcher and measures every word of every
// page it shows: distinct numbers and addresses, page after page, leave it
// no larger.
TEST(TextMeasurerLimits, TheWidthsAViewKeepsStayFewWhateverItMeasures) {
    WebFonts fonts;
    GdiTextMeasurer measurer(fonts);
    const int width = measurer.TextWidth(L"http://127.0.0.1/item/0", 0);
    const size_t before = WorkingSet();
    for (int i = 0; i < 200000; ++i) measurer.TextWidth(L"http://127.0.0.1/item/" + std::to_wstring(i), i % 2 ? kFontBold : 0);
    const size_t grown = WorkingSet() - std::min(before, WorkingSet());
    EXPECT_LT(grown, 8u << 20) << "200,000 words took " << (grown >> 20) << " MiB";
    EXPECT_EQ(measurer.TextWidth(L"http://127.0.0.1/item/0", 0), width);
}

// Page after page of large pictures: the view keeps the ones shown last, as
// many as its budget holds, and fetches an earlier one again when its page
// comes back.
TEST_F(HostilePages, DecodedPicturesStayWithinTheViewsBudget) {
    const std::string picture = Png(2048, 2048, 0, 160, 0);  // 16 MiB decoded
    const int pages = 16;
    for (int i = 0; i < pages; ++i) {
        server_.Route("/big" + std::to_string(i) + ".png", TestHttpServer::Text(picture, "image/png"));
        Page("/page" + std::to_string(i), "<img src=\"/big" + std::to_string(i) + ".png\" width=40 height=40>");
    }
    auto show = [&](int i) {
        return Load(Url("/page" + std::to_string(i))) &&
               PumpUntil([&] { return PixelAt(20, 20) == Rgb(0, 160, 0); }, 10000);
    };
    ASSERT_TRUE(show(0));
    const size_t before = WorkingSet();
    for (int i = 1; i < pages; ++i) ASSERT_TRUE(show(i)) << i;
    const size_t grown = WorkingSet() - std::min(before, WorkingSet());
    EXPECT_LT(grown, 96u << 20) << "15 pictures of 16 MiB each took " << (grown >> 20) << " MiB";
    ASSERT_TRUE(show(0));
}

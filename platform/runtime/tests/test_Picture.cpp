// Picture files of each kind loaded, drawn and read back pixel by pixel;
// PaintPicture on persistent images; pictures of bitmaps drawn at run time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "Form.h"
#include "PictureBox.h"
#include "RaisedError.h"
#include "StdPicture.h"
#include "runtime_pictures.h"

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255);

// A 32-bit memory surface filled with one colour.
class Surface {
public:
    Surface(int cx, int cy, COLORREF fill = RGB(0, 0, 0)) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB};
        void* bits = nullptr;
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        RECT r{0, 0, cx, cy};
        HBRUSH b = CreateSolidBrush(fill);
        FillRect(dc_, &r, b);
        DeleteObject(b);
    }
    ~Surface() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC dc() const { return dc_; }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// The quadrants of a 16 x 16 picture drawn at (x, y) with `scale`.
void ExpectQuadrants(HDC dc, int x, int y, int scale, int tolerance) {
    const int q = 4 * scale, h = 12 * scale;
    EXPECT_PRED3(Near, GetPixel(dc, x + q, y + q), kRed, tolerance);
    EXPECT_PRED3(Near, GetPixel(dc, x + h, y + q), kGreen, tolerance);
    EXPECT_PRED3(Near, GetPixel(dc, x + q, y + h), kBlue, tolerance);
    EXPECT_PRED3(Near, GetPixel(dc, x + h, y + h), kWhite, tolerance);
}

std::wstring File(const wchar_t* name) { return std::wstring(kPictureDir) + name; }

struct Kind {
    const wchar_t* file;
    PictureTypeConstants type;
    int tolerance;  // JPEG is lossy
};

TEST(Picture, EachFileKindLoadsAndDrawsItsPixels) {
    for (const Kind& k : {Kind{L"quadrants.bmp", PictureTypeConstants::Bitmap, 0},
                          Kind{L"quadrants.gif", PictureTypeConstants::Bitmap, 0},
                          Kind{L"quadrants.jpg", PictureTypeConstants::Bitmap, 24},
                          Kind{L"quadrants.ico", PictureTypeConstants::Icon, 0},
                          Kind{L"quadrants.cur", PictureTypeConstants::Icon, 0}}) {
        SCOPED_TRACE(testing::Message() << "file " << std::string(k.file, k.file + wcslen(k.file)));
        auto picture = LoadPicture(File(k.file));
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->Type(), k.type);
        EXPECT_EQ(picture->PixelWidth(), 16);
        EXPECT_EQ(picture->PixelHeight(), 16);
        EXPECT_NEAR(picture->Width(), 423, 2);  // 16 pixels at 96 per inch, in HIMETRIC
        Surface s(40, 40);
        picture->Render(s.dc(), 4, 6, 16, 16);
        ExpectQuadrants(s.dc(), 4, 6, 1, k.tolerance);
        EXPECT_EQ(GetPixel(s.dc(), 2, 2), RGB(0, 0, 0));
    }
}

// The file as the system's own OLE picture loading decodes it.
IPicture* SystemPicture(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return nullptr;
    const DWORD size = GetFileSize(f, nullptr);
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, size);
    DWORD got = 0;
    ReadFile(f, GlobalLock(mem), size, &got, nullptr);
    GlobalUnlock(mem);
    CloseHandle(f);
    IStream* stream = nullptr;
    IPicture* picture = nullptr;
    OleInitialize(nullptr);
    if (SUCCEEDED(CreateStreamOnHGlobal(mem, TRUE, &stream))) {
        OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
        stream->Release();
    }
    return picture;
}

TEST(Picture, DetailedJpegAndGifDrawTheSystemDecodersPixels) {
    // Decoders round JPEG's arithmetic and smooth its halved colour planes
    // each its own way (Wine's libjpeg 9 scales them by the transform,
    // stb_image filters them as libjpeg 6 did): a few steps apart on
    // average, more at sharp colour edges. A shifted, flipped or
    // channel-swapped picture is tens of steps apart on average.
    struct Case {
        const wchar_t* file;
        int most;
        double average;
    };
    for (const Case& k : {Case{L"photo.jpg", 48, 3.0}, Case{L"photo_progressive.jpg", 48, 3.0}, Case{L"photo.gif", 0, 0},
                          Case{L"interlaced.gif", 0, 0}, Case{L"noise.gif", 0, 0}, Case{L"transparent.gif", 0, 0}}) {
        SCOPED_TRACE(testing::Message() << "file " << std::string(k.file, k.file + wcslen(k.file)));
        auto picture = LoadPicture(File(k.file));
        IPicture* system = SystemPicture(File(k.file));
        ASSERT_TRUE(picture);
        ASSERT_TRUE(system);
        StdPicture reference(system);
        EXPECT_EQ(picture->Type(), PictureTypeConstants::Bitmap);
        EXPECT_EQ(picture->PixelWidth(), reference.PixelWidth());
        EXPECT_EQ(picture->PixelHeight(), reference.PixelHeight());
        EXPECT_EQ(picture->Width(), reference.Width());
        EXPECT_EQ(picture->Height(), reference.Height());
        const int w = reference.PixelWidth() + 4, h = reference.PixelHeight() + 4;
        Surface ours(w, h, RGB(1, 2, 3)), theirs(w, h, RGB(1, 2, 3));
        picture->Render(ours.dc(), 2, 2, w - 4, h - 4);
        reference.Render(theirs.dc(), 2, 2, w - 4, h - 4);
        int most = 0;
        double sum = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const COLORREF a = GetPixel(ours.dc(), x, y), b = GetPixel(theirs.dc(), x, y);
                for (int d : {GetRValue(a) - GetRValue(b), GetGValue(a) - GetGValue(b), GetBValue(a) - GetBValue(b)}) {
                    most = std::max(most, std::abs(d));
                    sum += std::abs(d);
                }
            }
        }
        EXPECT_LE(most, k.most);
        EXPECT_LE(sum / (3.0 * w * h), k.average);
    }
    // The transparent colour shows what was under the picture.
    Surface s(20, 20, RGB(1, 2, 3));
    LoadPicture(File(L"transparent.gif"))->Render(s.dc(), 0, 0, 16, 16);
    EXPECT_EQ(GetPixel(s.dc(), 2, 2), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(s.dc(), 14, 14), kWhite);
}

TEST(Picture, CursorKeepsItsHotSpot) {
    auto cursor = LoadPicture(File(L"quadrants.cur"));
    ICONINFO ii{};
    ASSERT_TRUE(GetIconInfo(cursor->HandleAs<HICON>(), &ii));
    EXPECT_FALSE(ii.fIcon);
    EXPECT_EQ(ii.xHotspot, 3u);
    EXPECT_EQ(ii.yHotspot, 5u);
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
}

TEST(Picture, MissingOrBrokenFilesRaiseErrorsTheCallerCatches) {
    try {
        LoadPicture(File(L"no_such_file.bmp"));
        FAIL() << "no error raised";
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.Number(), 53u);
    }
    try {
        LoadPicture(File(L"not_a_picture.gif"));
        FAIL() << "no error raised";
    } catch (const RaisedError& e) {
        EXPECT_EQ(e.Number(), 481u);
    }
    EXPECT_EQ(LoadPicture(L""), nullptr);
}

TEST(Picture, PartOfAPictureStretched) {
    auto picture = LoadPicture(File(L"quadrants.bmp"));
    Surface s(32, 32);
    picture->Render(s.dc(), 0, 0, 32, 32, 8, 0, 8, 8);  // the green quadrant only
    EXPECT_EQ(GetPixel(s.dc(), 1, 1), kGreen);
    EXPECT_EQ(GetPixel(s.dc(), 30, 30), kGreen);
}

TEST(Picture, BitmapDrawnAtRunTimeBecomesAPicture) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 10, 10);
    ReleaseDC(nullptr, screen);
    {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT r{0, 0, 10, 10};
        HBRUSH b = CreateSolidBrush(kBlue);
        FillRect(dc, &r, b);
        DeleteObject(b);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    auto picture = StdPicture::FromBitmap(bitmap);
    EXPECT_EQ(picture->Type(), PictureTypeConstants::Bitmap);
    EXPECT_EQ(picture->Handle(), static_cast<OLE_HANDLE>(reinterpret_cast<UINT_PTR>(bitmap)));
    Surface s(20, 20);
    picture->Render(s.dc(), 5, 5, 10, 10);
    EXPECT_EQ(GetPixel(s.dc(), 6, 6), kBlue);
    EXPECT_EQ(GetPixel(s.dc(), 4, 4), RGB(0, 0, 0));
    picture.reset();  // owned: the bitmap goes with the picture
    BITMAP bm;
    EXPECT_EQ(GetObjectW(bitmap, sizeof bm, &bm), 0);
}

class CanvasForm : public Form {
public:
    CanvasForm() {
        ScaleMode(ScaleModeConstants::Pixels);
        BorderStyle(FormBorderStyleConstants::None);
        Move(0, 0, 200 * 15, 150 * 15);
        BackColor(RGB(10, 20, 30));
        box.AutoRedraw(true);
        box.ScaleMode(ScaleModeConstants::Pixels);
        box.Move(10, 10, 72, 72);
        box.BackColor(RGB(1, 2, 3));
    }
    PictureBox box{*this};
};

TEST(Picture, PaintPictureStretchesOntoThePersistentImage) {
    CanvasForm f;
    f.Show();
    f.box.PaintPicture(LoadPicture(File(L"quadrants.gif")), 0, 0, 72, 72);
    ExpectQuadrants(f.box.hDC(), 0, 0, 4, 0);  // 16 -> 72 is 4.5: quadrants 36 wide
    EXPECT_EQ(GetPixel(f.box.hDC(), 35, 35), kRed);
    EXPECT_EQ(GetPixel(f.box.hDC(), 36, 36), kWhite);
    // The image survives a repaint and copies out as a picture.
    f.box.Refresh();
    auto copy = f.box.PersistentImage();
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->PixelWidth(), 72);
    Surface s(72, 72);
    copy->Render(s.dc(), 0, 0, 72, 72);
    EXPECT_EQ(GetPixel(s.dc(), 50, 10), kGreen);
    // Cls clears what was drawn back to the background colour.
    f.box.Cls();
    EXPECT_EQ(GetPixel(f.box.hDC(), 10, 10), RGB(1, 2, 3));
    f.Unload();
}

TEST(Picture, BackgroundPictureAndSourceAreaInTwips) {
    CanvasForm f;
    f.AutoRedraw(true);
    f.Picture(LoadPicture(File(L"quadrants.bmp")));
    f.Show();
    EXPECT_EQ(GetPixel(f.hDC(), 2, 2), kRed);
    EXPECT_EQ(GetPixel(f.hDC(), 14, 14), kWhite);
    EXPECT_EQ(GetPixel(f.hDC(), 100, 100), RGB(10, 20, 30));
    // Twips: the blue quadrant (source 0, 120 twips; 120 x 120) to 1500, 0, 750 twips square.
    f.ScaleMode(ScaleModeConstants::Twips);
    f.PaintPicture(LoadPicture(File(L"quadrants.bmp")), 1500, 0, 750, 750, 0, 120, 120, 120);
    EXPECT_EQ(GetPixel(f.hDC(), 100, 0), kBlue);
    EXPECT_EQ(GetPixel(f.hDC(), 149, 49), kBlue);
    EXPECT_EQ(GetPixel(f.hDC(), 150, 20), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(f.hDC(), 120, 50), RGB(10, 20, 30));
    f.Unload();
}

TEST(Picture, WindowWithoutPersistentImagePaintsColourAndPicture) {
    CanvasForm f;
    f.Picture(LoadPicture(File(L"quadrants.gif")));
    f.Show();
    Surface s(200, 150);
    SendMessageW(f.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(s.dc()), PRF_CLIENT);
    ExpectQuadrants(s.dc(), 0, 0, 1, 0);
    EXPECT_EQ(GetPixel(s.dc(), 150, 100), RGB(10, 20, 30));
    f.Unload();
}

TEST(Picture, AutoSizeTakesThePictureSize) {
    CanvasForm f;
    f.Show();
    f.box.AutoSize(true);
    f.box.Picture(LoadPicture(File(L"quadrants.jpg")));
    EXPECT_EQ(f.box.Width(), 16);
    EXPECT_EQ(f.box.Height(), 16);
    f.Unload();
}

}  // namespace

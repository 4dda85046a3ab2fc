// Picture objects: BMP, GIF, JPG, ICO and CUR files (opaque JPEG and GIF
// decoded in the program, the others through OLE picture loading), and
// bitmaps drawn at run time, wrapped with OleCreatePictureIndirect.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

enum class PictureTypeConstants { None = 0, Bitmap = 1, Metafile = 2, Icon = 3, EnhMetafile = 4 };

class StdPicture {
public:
    // Takes over one reference of `picture`.
    explicit StdPicture(IPicture* picture);
    ~StdPicture();
    StdPicture(const StdPicture&) = delete;
    StdPicture& operator=(const StdPicture&) = delete;

    // A bitmap drawn at run time; with `own` the picture deletes it when it goes away.
    static std::shared_ptr<StdPicture> FromBitmap(HBITMAP bitmap, bool own = true);
    // An icon or cursor handle.
    static std::shared_ptr<StdPicture> FromIcon(HICON icon, bool own = true);

    // HBITMAP or HICON, as the picture's type says.
    OLE_HANDLE Handle() const;
    // The handle as a pointer-sized handle type (HBITMAP, HICON, HCURSOR).
    template <class H>
    H HandleAs() const {
        return AsHandle<H>(Handle());
    }
    // OLE keeps handles in 32 bits; handles are sign-extended 32-bit values.
    template <class H>
    static H AsHandle(OLE_HANDLE handle) {
        return reinterpret_cast<H>(static_cast<LONG_PTR>(static_cast<LONG>(handle)));
    }
    PictureTypeConstants Type() const;
    // Size in HIMETRIC (hundredths of a millimetre) and in pixels.
    long Width() const;
    long Height() const;
    int PixelWidth() const;
    int PixelHeight() const;

    // Draws the picture's area (xSrc, ySrc, cxSrc, cySrc), in picture pixels,
    // stretched to (x, y, cx, cy) of `dc`; an icon is always drawn whole.
    void Render(HDC dc, int x, int y, int cx, int cy, int xSrc, int ySrc, int cxSrc, int cySrc) const;
    // The whole picture.
    void Render(HDC dc, int x, int y, int cx, int cy) const;

    IPicture* Get() const { return picture_; }

private:
    IPicture* picture_;
    SIZE pixels_{};
};

// Loads a picture file; an empty path gives no picture (nullptr). A missing
// file raises error 53 "File not found", an unreadable one error 481 "Invalid picture".
std::shared_ptr<StdPicture> LoadPicture(const std::wstring& path);
// The picture in a file's bytes, decoded once: in the program when its
// header says it is decoded there, else by OLE picture loading. An
// unreadable one raises error 481 "Invalid picture".
std::shared_ptr<StdPicture> PictureFromBytes(const std::vector<BYTE>& bytes);
// OLE picture loading of `size` bytes on a thread that has initialised COM;
// the caller owns the reference of the result, nullptr when refused.
IPicture* OleLoadPictureBytes(const void* bytes, size_t size);

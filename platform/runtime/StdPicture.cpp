#include "StdPicture.h"

#include <vector>

#include "PictureDecode.h"
#include "RaisedError.h"

namespace {

// OLE picture loading decodes GIF and JPG through COM components.
void EnsureCom() {
    thread_local bool done = false;
    if (!done) {
        OleInitialize(nullptr);
        done = true;
    }
}

SIZE HandlePixels(PictureTypeConstants type, OLE_HANDLE handle) {
    SIZE s{};
    if (type == PictureTypeConstants::Bitmap) {
        BITMAP bm{};
        if (GetObjectW(StdPicture::AsHandle<HBITMAP>(handle), sizeof bm, &bm)) s = {bm.bmWidth, bm.bmHeight};
    } else if (type == PictureTypeConstants::Icon) {
        ICONINFO ii{};
        if (GetIconInfo(StdPicture::AsHandle<HICON>(handle), &ii)) {
            BITMAP bm{};
            GetObjectW(ii.hbmMask, sizeof bm, &bm);
            s = {bm.bmWidth, ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
            if (ii.hbmColor) DeleteObject(ii.hbmColor);
            if (ii.hbmMask) DeleteObject(ii.hbmMask);
        }
    }
    return s;
}

std::shared_ptr<StdPicture> Indirect(PICTDESC& desc, bool own) {
    EnsureCom();
    IPicture* picture = nullptr;
    if (FAILED(OleCreatePictureIndirect(&desc, IID_IPicture, own, reinterpret_cast<void**>(&picture))))
        throw RaisedError(481, "StdPicture", "Invalid picture");
    return std::make_shared<StdPicture>(picture);
}

}  // namespace

StdPicture::StdPicture(IPicture* picture) : picture_(picture) {
    pixels_ = HandlePixels(Type(), Handle());
}

StdPicture::~StdPicture() {
    if (picture_) picture_->Release();
}

std::shared_ptr<StdPicture> StdPicture::FromBitmap(HBITMAP bitmap, bool own) {
    PICTDESC desc{sizeof desc, PICTYPE_BITMAP};
    desc.bmp.hbitmap = bitmap;
    return Indirect(desc, own);
}

std::shared_ptr<StdPicture> StdPicture::FromIcon(HICON icon, bool own) {
    PICTDESC desc{sizeof desc, PICTYPE_ICON};
    desc.icon.hicon = icon;
    return Indirect(desc, own);
}

OLE_HANDLE StdPicture::Handle() const {
    OLE_HANDLE h = 0;
    picture_->get_Handle(&h);
    return h;
}

PictureTypeConstants StdPicture::Type() const {
    SHORT t = PICTYPE_NONE;
    picture_->get_Type(&t);
    return static_cast<PictureTypeConstants>(t);
}

long StdPicture::Width() const {
    OLE_XSIZE_HIMETRIC w = 0;
    picture_->get_Width(&w);
    return w;
}

long StdPicture::Height() const {
    OLE_YSIZE_HIMETRIC h = 0;
    picture_->get_Height(&h);
    return h;
}

int StdPicture::PixelWidth() const { return pixels_.cx; }
int StdPicture::PixelHeight() const { return pixels_.cy; }

void StdPicture::Render(HDC dc, int x, int y, int cx, int cy, int xSrc, int ySrc, int cxSrc, int cySrc) const {
    if (!pixels_.cx || !pixels_.cy) return;
    const double fx = static_cast<double>(Width()) / pixels_.cx, fy = static_cast<double>(Height()) / pixels_.cy;
    // OLE pictures measure their source area in HIMETRIC from the bottom edge.
    picture_->Render(dc, x, y, cx, cy, static_cast<OLE_XPOS_HIMETRIC>(xSrc * fx),
                     static_cast<OLE_YPOS_HIMETRIC>(Height() - ySrc * fy), static_cast<OLE_XSIZE_HIMETRIC>(cxSrc * fx),
                     static_cast<OLE_YSIZE_HIMETRIC>(-cySrc * fy), nullptr);
}

void StdPicture::Render(HDC dc, int x, int y, int cx, int cy) const {
    Render(dc, x, y, cx, cy, 0, 0, pixels_.cx, pixels_.cy);
}

IPicture* OleLoadPictureBytes(const void* bytes, size_t size) {
    if (size > 0x7FFFFFFF) return nullptr;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    if (!mem) return nullptr;
    void* copy = GlobalLock(mem);
    if (!copy) {
        GlobalFree(mem);
        return nullptr;
    }
    if (size) memcpy(copy, bytes, size);
    GlobalUnlock(mem);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(mem, TRUE, &stream))) {
        GlobalFree(mem);
        return nullptr;
    }
    IPicture* picture = nullptr;
    if (FAILED(OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture))))
        picture = nullptr;
    stream->Release();
    return picture;
}

std::shared_ptr<StdPicture> PictureFromBytes(const std::vector<BYTE>& bytes) {
    const std::optional<PictureHeader> header = ReadPictureHeader(bytes.data(), bytes.size());
    if (header && DecodedInProgram(*header)) {
        HBITMAP decoded = DecodeOpaquePicture(bytes.data(), bytes.size());
        if (!decoded) throw RaisedError(481, "LoadPicture", "Invalid picture");
        return StdPicture::FromBitmap(decoded);
    }
    EnsureCom();
    IPicture* picture = OleLoadPictureBytes(bytes.data(), bytes.size());
    if (!picture) throw RaisedError(481, "LoadPicture", "Invalid picture");
    return std::make_shared<StdPicture>(picture);
}

std::shared_ptr<StdPicture> LoadPicture(const std::wstring& path) {
    if (path.empty()) return nullptr;
    std::vector<BYTE> bytes;
    if (!ReadWholeFile(path, bytes)) throw RaisedError(53, "LoadPicture", "File not found");
    // A cursor keeps its hot spot only when loaded as a cursor.
    if (bytes.size() >= 4 && bytes[0] == 0 && bytes[1] == 0 && bytes[2] == 2 && bytes[3] == 0) {
        HANDLE cursor = LoadImageW(nullptr, path.c_str(), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE);
        if (!cursor) throw RaisedError(481, "LoadPicture", "Invalid picture");
        return StdPicture::FromIcon(static_cast<HICON>(cursor));
    }
    return PictureFromBytes(bytes);
}

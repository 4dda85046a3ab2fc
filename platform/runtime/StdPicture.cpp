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
    if (HBITMAP decoded = DecodeOpaquePicture(bytes.data(), bytes.size())) return StdPicture::FromBitmap(decoded);
    EnsureCom();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size() ? bytes.size() : 1);
    if (!mem) throw RaisedError(7, "LoadPicture", "Out of memory");
    if (!bytes.empty()) {
        memcpy(GlobalLock(mem), bytes.data(), bytes.size());
        GlobalUnlock(mem);
    }
    IStream* stream = nullptr;
    IPicture* picture = nullptr;
    HRESULT hr = CreateStreamOnHGlobal(mem, TRUE, &stream);
    if (SUCCEEDED(hr)) {
        hr = OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
        stream->Release();
    } else {
        GlobalFree(mem);
    }
    if (FAILED(hr) || !picture) throw RaisedError(481, "LoadPicture", "Invalid picture");
    return std::make_shared<StdPicture>(picture);
}

/* stbimage.dll: loads images (PNG with alpha) with stb_image and draws them
   onto device contexts blended by alpha. Images are named by small integer
   handles; 0 and unknown handles draw nothing. */
#include <windows.h>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#include <stb_image.h>

#define EXPORT __declspec(dllexport)
#define MAX_IMAGES 256

typedef struct {
    HDC dc;          /* memory DC with the premultiplied 32-bit DIB selected */
    HBITMAP bitmap;
    HGDIOBJ previous;
    int width, height;
} Image;

static Image images[MAX_IMAGES + 1]; /* index 0 is never used */

static Image* Find(int handle) {
    if (handle <= 0 || handle > MAX_IMAGES || !images[handle].dc) return NULL;
    return &images[handle];
}

/* Alpha-blends a source rectangle of img scaled onto the destination;
   empty or out-of-image rectangles draw nothing. */
static BOOL Blend(HDC dc, int x, int y, int w, int h, const Image* img, int sx, int sy, int sw, int sh) {
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return FALSE;
    if (sx < 0 || sy < 0 || sx + sw > img->width || sy + sh > img->height) return FALSE;
    return AlphaBlend(dc, x, y, w, h, img->dc, sx, sy, sw, sh, bf);
}

EXPORT int __stdcall stb_LoadImage(const char* path) {
    int handle, w, h, n, i;
    unsigned char* rgba;
    BITMAPINFO bi;
    unsigned char* bits = NULL;
    Image* img;

    for (handle = 1; handle <= MAX_IMAGES && images[handle].dc; ++handle) {}
    if (handle > MAX_IMAGES || !path) return 0;
    rgba = stbi_load(path, &w, &h, &n, 4);
    if (!rgba) return 0;

    ZeroMemory(&bi, sizeof bi);
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h; /* top-down, as stb_image delivers rows */
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    img = &images[handle];
    img->bitmap = CreateDIBSection(NULL, &bi, DIB_RGB_COLORS, (void**)&bits, NULL, 0);
    if (!img->bitmap) {
        stbi_image_free(rgba);
        return 0;
    }
    /* AlphaBlend wants BGRA with the colour premultiplied by alpha. */
    for (i = 0; i < w * h; ++i) {
        const unsigned char* s = rgba + 4 * i;
        unsigned char* d = bits + 4 * i;
        d[0] = (unsigned char)((s[2] * s[3] + 127) / 255);
        d[1] = (unsigned char)((s[1] * s[3] + 127) / 255);
        d[2] = (unsigned char)((s[0] * s[3] + 127) / 255);
        d[3] = s[3];
    }
    stbi_image_free(rgba);
    img->dc = CreateCompatibleDC(NULL);
    if (!img->dc) {
        DeleteObject(img->bitmap);
        img->bitmap = NULL;
        return 0;
    }
    img->previous = SelectObject(img->dc, img->bitmap);
    img->width = w;
    img->height = h;
    return handle;
}

EXPORT int __stdcall stb_StretchBlt(HDC dc, int x, int y, int w, int h, int image, int srcX, int srcY, int srcW,
                                    int srcH) {
    const Image* img = Find(image);
    return img ? Blend(dc, x, y, w, h, img, srcX, srcY, srcW, srcH) : 0;
}

EXPORT int __stdcall stb_BitBlt(HDC dc, int x, int y, int w, int h, int image, int srcX, int srcY) {
    const Image* img = Find(image);
    return img ? Blend(dc, x, y, w, h, img, srcX, srcY, w, h) : 0;
}

/* Nine-slice: the margins keep their size, edges and centre stretch. */
EXPORT int __stdcall stb_GridBlt(HDC dc, int x, int y, int w, int h, int image, int srcX, int srcY, int srcW,
                                 int srcH, int left, int top, int right, int bottom) {
    const Image* img = Find(image);
    int midW = w - left - right, midH = h - top - bottom;
    int srcMidW = srcW - left - right, srcMidH = srcH - top - bottom;
    if (!img || w <= 0 || h <= 0) return 0;
    /* corners */
    Blend(dc, x, y, left, top, img, srcX, srcY, left, top);
    Blend(dc, x + w - right, y, right, top, img, srcX + srcW - right, srcY, right, top);
    Blend(dc, x, y + h - bottom, left, bottom, img, srcX, srcY + srcH - bottom, left, bottom);
    Blend(dc, x + w - right, y + h - bottom, right, bottom, img, srcX + srcW - right, srcY + srcH - bottom, right,
          bottom);
    /* edges */
    Blend(dc, x, y + top, left, midH, img, srcX, srcY + top, left, srcMidH);
    Blend(dc, x + w - right, y + top, right, midH, img, srcX + srcW - right, srcY + top, right, srcMidH);
    Blend(dc, x + left, y, midW, top, img, srcX + left, srcY, srcMidW, top);
    Blend(dc, x + left, y + h - bottom, midW, bottom, img, srcX + left, srcY + srcH - bottom, srcMidW, bottom);
    /* centre */
    Blend(dc, x + left, y + top, midW, midH, img, srcX + left, srcY + top, srcMidW, srcMidH);
    return 1;
}

EXPORT int __stdcall stb_DestroyImage(int image) {
    Image* img = Find(image);
    if (!img) return 0;
    SelectObject(img->dc, img->previous);
    DeleteDC(img->dc);
    DeleteObject(img->bitmap);
    ZeroMemory(img, sizeof *img);
    return 1;
}

/* Helper of scripts/run.sh (runs under Wine beside the launcher): waits until
   a visible top-level window with the given caption has painted, then saves
   a PNG picture of the whole screen.

     window_shot.exe CAPTION OUT.png SECONDS     (OUT "-": wait only)

   "Painted" means the window's pixels are not all one colour and have not
   changed for a second (pages inside it load after the window appears).
   Exit codes: 0 saved (or seen), 2 no such window within SECONDS, 3 the
   window never settled (the picture is saved all the same), 4 the picture
   could not be written, 1 wrong arguments. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include "stb_image_write.h"

enum { kPollMs = 250, kStableSamples = 4 };

typedef struct {
    int width, height;
    unsigned char* bgra; /* top-down rows */
} Shot;

/* Copies a screen rectangle into memory; 0 on failure. */
static int Grab(const RECT* r, Shot* shot) {
    shot->width = r->right - r->left;
    shot->height = r->bottom - r->top;
    shot->bgra = NULL;
    if (shot->width <= 0 || shot->height <= 0) return 0;
    HDC screen = GetDC(NULL);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {0};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = shot->width;
    bi.bmiHeader.biHeight = -shot->height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = NULL;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, NULL, 0);
    int ok = 0;
    if (dib) {
        HGDIOBJ old = SelectObject(mem, dib);
        if (BitBlt(mem, 0, 0, shot->width, shot->height, screen, r->left, r->top, SRCCOPY)) {
            GdiFlush();
            size_t size = (size_t)shot->width * shot->height * 4;
            shot->bgra = malloc(size);
            if (shot->bgra) {
                memcpy(shot->bgra, bits, size);
                ok = 1;
            }
        }
        SelectObject(mem, old);
        DeleteObject(dib);
    }
    DeleteDC(mem);
    ReleaseDC(NULL, screen);
    return ok;
}

static unsigned long long Checksum(const Shot* s, int* uniform) {
    unsigned long long h = 1469598103934665603ULL;
    const unsigned int* px = (const unsigned int*)s->bgra;
    size_t n = (size_t)s->width * s->height;
    *uniform = 1;
    for (size_t i = 0; i < n; ++i) {
        unsigned int v = px[i] & 0xFFFFFF;
        if (v != (px[0] & 0xFFFFFF)) *uniform = 0;
        h = (h ^ v) * 1099511628211ULL;
    }
    return h;
}

static void WriteToFile(void* context, void* data, int size) {
    DWORD written;
    if (!WriteFile((HANDLE)context, data, (DWORD)size, &written, NULL) || written != (DWORD)size)
        SetLastError(ERROR_WRITE_FAULT);
}

static int SaveScreen(const wchar_t* path) {
    RECT all = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    Shot s;
    if (!Grab(&all, &s)) return 0;
    size_t n = (size_t)s.width * s.height;
    unsigned char* rgb = malloc(n * 3);
    int ok = 0;
    if (rgb) {
        for (size_t i = 0; i < n; ++i) {
            rgb[i * 3] = s.bgra[i * 4 + 2];
            rgb[i * 3 + 1] = s.bgra[i * 4 + 1];
            rgb[i * 3 + 2] = s.bgra[i * 4];
        }
        HANDLE f = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (f != INVALID_HANDLE_VALUE) {
            SetLastError(0);
            ok = stbi_write_png_to_func(WriteToFile, f, s.width, s.height, 3, rgb, s.width * 3) &&
                 GetLastError() != ERROR_WRITE_FAULT;
            CloseHandle(f);
        }
        free(rgb);
    }
    free(s.bgra);
    return ok;
}

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        fputs("usage: window_shot.exe CAPTION OUT.png|- SECONDS\n", stderr);
        return 1;
    }
    const wchar_t* caption = argv[1];
    const wchar_t* out = argv[2];
    const DWORD deadline = GetTickCount() + (DWORD)_wtoi(argv[3]) * 1000;

    HWND window = NULL;
    while (!window) {
        HWND w = FindWindowW(NULL, caption);
        if (w && IsWindowVisible(w)) window = w;
        else if ((LONG)(GetTickCount() - deadline) >= 0) return 2;
        else Sleep(kPollMs);
    }

    int settled = 0, stable = 0;
    unsigned long long last = 0;
    while (!settled && (LONG)(GetTickCount() - deadline) < 0) {
        RECT r;
        Shot s;
        if (IsWindow(window) && GetWindowRect(window, &r) && Grab(&r, &s)) {
            int uniform;
            unsigned long long sum = Checksum(&s, &uniform);
            free(s.bgra);
            stable = (!uniform && sum == last) ? stable + 1 : 0;
            last = sum;
            settled = stable >= kStableSamples;
        }
        if (!settled) Sleep(kPollMs);
    }
    if (wcscmp(out, L"-") == 0) return settled ? 0 : 3;
    if (!SaveScreen(out)) return 4;
    return settled ? 0 : 3;
}

#include "StbImage.h"

namespace StbImage {

namespace {

struct Library {
    int(__stdcall* load)(const char*) = nullptr;
    int(__stdcall* stretch)(HDC, int, int, int, int, int, int, int, int, int) = nullptr;
    int(__stdcall* grid)(HDC, int, int, int, int, int, int, int, int, int, int, int, int, int) = nullptr;
    int(__stdcall* bit)(HDC, int, int, int, int, int, int, int) = nullptr;
    int(__stdcall* destroy)(int) = nullptr;

    Library() {
        HMODULE dll = LoadLibraryW(L"stbimage.dll");
        if (!dll) return;
        Bind(dll, "stb_LoadImage", load);
        Bind(dll, "stb_StretchBlt", stretch);
        Bind(dll, "stb_GridBlt", grid);
        Bind(dll, "stb_BitBlt", bit);
        Bind(dll, "stb_DestroyImage", destroy);
    }
    template <class F>
    static void Bind(HMODULE dll, const char* name, F& f) {
        f = reinterpret_cast<F>(GetProcAddress(dll, name));
    }
};

// Loaded once, at the first call; stays loaded for the life of the program.
const Library& Lib() {
    static const Library library;
    return library;
}

}  // namespace

int LoadImage(const std::wstring& path) {
    if (!Lib().load) return 0;
    const int n = WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(n, '\0');
    WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, ansi.data(), n, nullptr, nullptr);
    return Lib().load(ansi.c_str());
}

void StretchBlt(HDC hDC, int x, int y, int w, int h, int image, int srcX, int srcY, int srcW, int srcH) {
    if (Lib().stretch) Lib().stretch(hDC, x, y, w, h, image, srcX, srcY, srcW, srcH);
}

void GridBlt(HDC hDC, int x, int y, int w, int h, int image, int srcX, int srcY, int srcW, int srcH, int left,
             int top, int right, int bottom) {
    if (Lib().grid) Lib().grid(hDC, x, y, w, h, image, srcX, srcY, srcW, srcH, left, top, right, bottom);
}

void BitBlt(HDC hDC, int x, int y, int w, int h, int image, int srcX, int srcY) {
    if (Lib().bit) Lib().bit(hDC, x, y, w, h, image, srcX, srcY);
}

void DestroyImage(int image) {
    if (Lib().destroy) Lib().destroy(image);
}

}  // namespace StbImage

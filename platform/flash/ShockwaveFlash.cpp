#include "ShockwaveFlash.h"

#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "ReadableFolder.h"

namespace {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
using GdiObject = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, GdiObjectDeleter>;

// Selects an object into a DC for the guard's lifetime.
class Selection {
public:
    Selection(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~Selection() { SelectObject(dc_, old_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

struct MenuDeleter {
    void operator()(HMENU m) const { DestroyMenu(m); }
};

constexpr UINT kCmdPlay = 1;
constexpr COLORREF kStageText = RGB(0, 0, 0);
constexpr COLORREF kBandText = RGB(208, 208, 208);

void Fill(HDC dc, const RECT& r, COLORREF colour) {
    const GdiObject brush(CreateSolidBrush(colour));
    FillRect(dc, &r, static_cast<HBRUSH>(brush.get()));
}

GdiObject Font(int height, int width) {
    return GdiObject(CreateFontW(-height, width, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, L"宋体"));
}

// The stage's font: its natural shape, widened or narrowed by the stage's
// horizontal stretch relative to its vertical one.
GdiObject StageFont(HDC dc, int height, double stretch) {
    GdiObject font = Font(height, 0);
    if (stretch > 0.99 && stretch < 1.01) return font;
    TEXTMETRICW tm;
    {
        const Selection select(dc, font.get());
        GetTextMetricsW(dc, &tm);
    }
    return Font(height, std::max(1, static_cast<int>(tm.tmAveCharWidth * stretch + 0.5)));
}

}  // namespace

ShockwaveFlash::ShockwaveFlash(const CreateArgs& args) {
    CreateParams p;
    p.className = L"OrvaneFlashPlayer";
    p.classStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    p.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    p.parent = args.parent;
    p.x = args.left;
    p.y = args.top;
    p.cx = args.width;
    p.cy = args.height;
    p.menuOrId = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(args.id));
    if (!Create(p)) throw std::runtime_error("Flash player window not created");
}

ShockwaveFlash::~ShockwaveFlash() {
    if (fetch_) fetch_->Cancel();
}

void ShockwaveFlash::LoadMovie(long layer, const std::wstring& address) {
    layers_[layer].push_back(address);
    if (layer != 0) return;
    if (fetch_) fetch_->Cancel();
    fetch_.reset();
    playing_ = true;
    // Files only from the program's own folder: never a network share, a
    // pipe or a device, whose reading could hang this thread.
    if (!IsWebAddress(address))
        return Show(FactsFromHead(address, IsReadableFile(address) ? ReadFileHead(address) : std::nullopt));
    MovieFacts loading;
    loading.state = MovieFacts::Loading;
    loading.address = address;
    Show(loading);
    fetch_ = std::make_shared<MovieHeadFetch>(++lastFetchId_, hwnd(), address);
    fetch_->Start();
}

void ShockwaveFlash::Playing(bool value) {
    playing_ = value;
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void ShockwaveFlash::ScaleMode(long value) {
    scaleMode_ = value;
    InvalidateRect(hwnd(), nullptr, FALSE);
}

void ShockwaveFlash::Move(int left, int top, int width, int height) {
    MoveWindow(hwnd(), left, top, width, height, TRUE);
}

RECT ShockwaveFlash::PlaceInParent() const {
    RECT r;
    GetWindowRect(hwnd(), &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd()), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int ShockwaveFlash::Left() const { return PlaceInParent().left; }
int ShockwaveFlash::Top() const { return PlaceInParent().top; }
int ShockwaveFlash::Width() const {
    const RECT r = PlaceInParent();
    return r.right - r.left;
}
int ShockwaveFlash::Height() const {
    const RECT r = PlaceInParent();
    return r.bottom - r.top;
}

void ShockwaveFlash::SetFocus() { ::SetFocus(hwnd()); }

StageRect ShockwaveFlash::Stage() const {
    RECT client;
    GetClientRect(hwnd(), &client);
    const bool framed = movie_.state == MovieFacts::Shown && movie_.header->hasFrame;
    return StageFor(client.right, client.bottom, framed ? movie_.header->WidthPx() : 0,
                    framed ? movie_.header->HeightPx() : 0, scaleMode_);
}

LRESULT ShockwaveFlash::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT: OnPaint(); return 0;
        case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_LBUTTONDOWN: SetFocus(); return 0;
        case WM_CONTEXTMENU: OnContextMenu(lParam); return 0;
        case MovieHeadFetch::kMsgFetched: OnFetched(wParam); return 0;
        default: return Default(msg, wParam, lParam);
    }
}

void ShockwaveFlash::Show(MovieFacts facts) {
    movie_ = std::move(facts);
    SetWindowTextW(hwnd(), movie_.address.c_str());  // the movie's address, for tools that read window texts
    InvalidateRect(hwnd(), nullptr, FALSE);
}

std::vector<std::wstring> ShockwaveFlash::LoadedMovies(long layer) const {
    const auto it = layers_.find(layer);
    return it == layers_.end() ? std::vector<std::wstring>{} : it->second;
}

void ShockwaveFlash::OnFetched(WPARAM id) {
    if (!fetch_ || fetch_->Id() != id) return;
    const std::optional<std::string> head = fetch_->TakeBytes();
    fetch_.reset();
    Show(FactsFromHead(movie_.address, head));
}

void ShockwaveFlash::OnPaint() {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(hwnd(), &ps);
    Paint(dc);
    EndPaint(hwnd(), &ps);
}

void ShockwaveFlash::Paint(HDC dc) const {
    RECT client;
    GetClientRect(hwnd(), &client);
    Fill(dc, client, kBandColour);
    const std::vector<std::wstring> lines = FactLines(movie_, playing_);
    if (lines.empty()) return;

    const StageRect s = Stage();
    const bool onStage = movie_.state == MovieFacts::Shown;
    RECT area = client;
    if (onStage) {
        area = {s.left, s.top, s.left + s.width, s.top + s.height};
        Fill(dc, area, kStageColour);
    }
    // The text scales with the stage; a stretched stage stretches it too.
    const int lineHeight = std::max(10, static_cast<int>(area.bottom - area.top) / 12);
    double stretch = 1.0;
    if (onStage && movie_.header->hasFrame && movie_.header->WidthPx() > 0 && movie_.header->HeightPx() > 0)
        stretch = (static_cast<double>(s.width) / movie_.header->WidthPx()) /
                  (static_cast<double>(s.height) / movie_.header->HeightPx());
    const GdiObject font = StageFont(dc, lineHeight * 8 / 10, stretch);
    const Selection select(dc, font.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, onStage ? kStageText : kBandText);
    int y = area.top + (area.bottom - area.top - lineHeight * static_cast<int>(lines.size())) / 2;
    for (const std::wstring& line : lines) {
        RECT r{area.left, y, area.right, y + lineHeight};
        DrawTextW(dc, line.c_str(), static_cast<int>(line.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        y += lineHeight;
    }
}

void ShockwaveFlash::OnContextMenu(LPARAM lParam) {
    if (!menu_) return;
    POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (at.x == -1 && at.y == -1) {  // from the keyboard: at the window's corner
        at = {0, 0};
        ClientToScreen(hwnd(), &at);
    }
    const std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter> menu(CreatePopupMenu());
    AppendMenuW(menu.get(), MF_STRING | (playing_ ? MF_CHECKED : MF_UNCHECKED), kCmdPlay, L"播放");
    const UINT cmd = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd(), nullptr);
    if (cmd == kCmdPlay) Playing(!playing_);
}

// Borderless top-level window that still resizes by its edges and corners
// (with a dotted rubber band while dragging), maximises to the work area
// and back, refits on setting changes and reports the system close command.
#pragma once
#include <windows.h>

#include <functional>

#include "Form.h"
#include "cFormSubclass.h"

class cSetStyle {
public:
    cSetStyle();
    ~cSetStyle();
    cSetStyle(const cSetStyle&) = delete;
    cSetStyle& operator=(const cSetStyle&) = delete;

    // Style becomes exactly system menu + minimise box (no caption, no
    // border), the frame is recomputed so the whole window is client area,
    // and the window's messages are watched from now on.
    void SetWindowStyle(HWND hWnd);
    // Maximised to the work area <-> restored; returns the new maximised flag.
    bool CallWindowStateChange();
    Form* objForm() const { return form_; }
    void objForm(Form* form) { form_ = form; }
    // The least outer size, in twips, an edge drag leaves the window: what its
    // own layout needs. Without one, the system's least size of a window
    // with a sizing frame.
    void MinimumSize(int width, int height) { minimum_ = {width, height}; }

    std::function<void()> CloseClick;
    std::function<void()> SettingChange;
    // The edge zone under the cursor: 0 top, then clockwise to 7 top-left; -1 none.
    std::function<void(int zone)> MouseSize;

    // Zone of point (x, y) on window rectangle r, all in screen pixels.
    static int ZoneAt(const RECT& r, int x, int y);

private:
    void OnMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    void OnMouseMove(WPARAM keys);
    void OnButtonDown();
    void OnButtonUp();
    // The dragged edges follow the cursor, the others stay: never closer to
    // them than the minimum size, so the band never turns inside out.
    void MoveBandEdges(POINT cursor);
    // The mouse capture went elsewhere (a modal window, a menu, Alt+Tab, a
    // disable): the drag ends, its band is erased and the window stays.
    void CancelDrag();
    void FitToWorkArea();
    void DrawBand(const RECT& r) const;

    Form* form_ = nullptr;
    HWND hwnd_ = nullptr;
    SIZE minimum_;  // twips
    bool maximised_ = false;
    int restoreLeft_ = 0, restoreTop_ = 0, restoreWidth_ = 0, restoreHeight_ = 0;

    bool dragging_ = false;
    POINT last_{}, start_{};
    int zone_ = -1;
    RECT windowAtStart_{}, oldBand_{}, newBand_{};
    HDC screenDC_ = nullptr;  // held only while dragging

    cFormSubclass subclass_;  // last: unhooks before the rest goes
};

// Base of every window the programs create: one static window procedure
// links the HWND and its object at WM_NCCREATE and forwards each message to
// the object's WndProc. No exception crosses the procedure.
#pragma once
#include <windows.h>

#include <string>

class Window {
public:
    struct CreateParams {
        std::wstring className;          // registered on first use
        std::wstring title;
        DWORD style = WS_OVERLAPPEDWINDOW;
        DWORD exStyle = 0;
        HWND parent = nullptr;
        int x = CW_USEDEFAULT, y = CW_USEDEFAULT, cx = CW_USEDEFAULT, cy = CW_USEDEFAULT;
        HMENU menuOrId = nullptr;
        UINT classStyle = CS_DBLCLKS;
        HCURSOR cursor = nullptr;        // nullptr: the arrow
        HBRUSH background = nullptr;     // nullptr: the window paints everything itself
        // A system class ("EDIT", "BUTTON", ...) this class extends: messages the
        // object does not handle go to that class's procedure.
        std::wstring baseClass;
    };

    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }
    // The object behind a window this thread created through this class, or nullptr.
    static Window* FromHandle(HWND hwnd);
    // Creation arguments of an invisible message-only window, for objects
    // that draw nothing but need timers or posted messages.
    static CreateParams MessageOnly(const wchar_t* className);

protected:
    // Creates the window; false when the platform refused.
    bool Create(const CreateParams& params);
    // Destroys the window now (the object stays).
    void Destroy();
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called after WM_NCDESTROY, when hwnd() is already null.
    virtual void OnDestroyed() {}

private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
    WNDPROC baseProc_ = nullptr;  // the extended system class's procedure, if any
};

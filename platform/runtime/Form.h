// A top-level window with the lifecycle of a form: it loads on first use
// (window, controls, then Form_Load), shows modeless or modal with an owner,
// hides, and unloads (Form_Unload, then the window and its controls go and
// every property returns to its design value). Geometry is in twips (15 per
// pixel); the form's own scale, used by its controls, is twips or pixels.
//
// A form is a class derived from Form: its constructor sets the design
// properties and its controls are members built with the form as container
// (containers declared before what they contain); its handlers override the
// Form_ members. Setting a property before load stores it for the window;
// Show, Hide, hWnd, hDC and reading geometry load the form first.
//
// Lifetime: a form made with std::make_shared is kept alive by the program's
// set of loaded forms from its load until its unload, whoever else holds or
// drops a reference meanwhile (a tab, the code that created it). When it
// unloads from inside a handler (its own event, a tab's close), it is freed
// only after the outermost running handler has returned. A form that is not
// owned by a shared_ptr (a member, a local) lives as long as its owner says.
// A derived form reaches its own shared_ptr through shared_from_this() and a
// cast; it must not derive from enable_shared_from_this a second time.
#pragma once
#include <memory>

#include "Canvas.h"
#include "ControlToolTips.h"

enum class FormWindowStateConstants { Normal = 0, Minimized = 1, Maximized = 2 };
enum class FormBorderStyleConstants { None = 0, FixedSingle = 1, Sizable = 2, FixedDialog = 3 };
enum class FormShowConstants { Modeless = 0, Modal = 1 };

class Form : public Canvas, public std::enable_shared_from_this<Form> {
public:
    Form();
    ~Form() override;

    // Creates the window and the controls and runs Form_Load; nothing when loaded.
    void Load();
    // A page in place from the start that shows only later (a tab's page):
    // set before the load, the load makes the form's window and runs
    // Form_Load, and the controls (and timers) wait for LoadControls, which
    // touching a hosted component or a control's hWnd also calls.
    void ControlsLater(bool value) { controlsLater_ = value; }
    // Loads the form and makes the controls that waited; nothing when they exist.
    void LoadControls();
    bool Loaded() const { return state_ == State::Loading || state_ == State::Loaded; }
    // Modal: returns when the form is hidden or unloaded; other windows of the
    // thread are disabled meanwhile.
    void Show(FormShowConstants style = FormShowConstants::Modeless, Form* owner = nullptr);
    void Hide();
    // Runs Form_Unload; unless it cancels, destroys the window and puts every
    // property back to its design value. Nothing when the form is not loaded.
    // A form whose window is destroyed with its owner or parent unloads too.
    void Unload();

    const std::wstring& Caption() const { return caption_; }
    void Caption(const std::wstring& value);
    // The window's icon (the program's first icon unless set).
    std::shared_ptr<StdPicture> Icon();
    void Icon(std::shared_ptr<StdPicture> value);
    FormWindowStateConstants WindowState();
    void WindowState(FormWindowStateConstants value);
    FormBorderStyleConstants BorderStyle() const { return border_; }
    void BorderStyle(FormBorderStyleConstants value);
    // Sets the outer size so that the inner area is width x height twips.
    void ClientSize(int width, int height);
    // The window a page form is to live in (a tab strip's page container).
    // Set before the load, the form's window is made there as a child at
    // once, instead of as a top-level window moved in afterwards: under X a
    // top-level window costs a window of the display server, made and
    // destroyed again by the move.
    void ParentWindow(HWND parent) { parentWindow_ = parent; }

    bool Visible() override;
    void Visible(bool value) override;

    // DDE source: a client reaches the form as "<program name>|<LinkTopic>"
    // while the form is loaded with LinkMode 1.
    const std::wstring& LinkTopic() const { return linkTopic_; }
    void LinkTopic(const std::wstring& value) { linkTopic_ = value; }
    int LinkMode() const { return linkMode_; }
    void LinkMode(int value) { linkMode_ = value; }
    // Called by the DDE server for an execute sent to this form's topic;
    // returns true when the form accepted it.
    bool DeliverLinkExecute(const std::wstring& command);

    // The tip window of the controls on this form; it goes with the form's window.
    ControlToolTips& ToolTips() { return toolTips_; }

    // Number of forms loaded in this process.
    static int LoadedCount();
    // The loaded form with LinkMode 1 and this LinkTopic (case ignored), or nullptr.
    static Form* SourceFor(const std::wstring& topic);

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload(int& Cancel) {}
    virtual void Form_Resize() {}
    virtual void Form_Click() {}
    virtual void Form_MouseDown(int Button, int Shift, int X, int Y) {}
    virtual void Form_MouseMove(int Button, int Shift, int X, int Y) {}
    virtual void Form_MouseUp(int Button, int Shift, int X, int Y) {}
    // Cancel starts as True (refused); a handler sets 0 to accept.
    virtual void Form_LinkExecute(const std::wstring& CmdStr, int& Cancel) {}

    CreateParams WindowParams() override;
    void SaveDesign() override;
    void RestoreDesign() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;
    void Touch() override { Load(); }
    void SizeSet() override { clientTwips_.reset(); }
    void RaiseClick() override { Form_Click(); }
    void RaiseMouseDown(int b, int s, int x, int y) override { Form_MouseDown(b, s, x, y); }
    void RaiseMouseMove(int b, int s, int x, int y) override { Form_MouseMove(b, s, x, y); }
    void RaiseMouseUp(int b, int s, int x, int y) override { Form_MouseUp(b, s, x, y); }

private:
    // A form raises its Form_ handlers, not the control events.
    using Control::Click;
    using Control::MouseDown;
    using Control::MouseMove;
    using Control::MouseUp;

    enum class State { Unloaded, Loading, Loaded, Unloading };
    struct FormProps {
        std::wstring caption;
        std::shared_ptr<StdPicture> icon;
        FormBorderStyleConstants border;
        std::optional<SIZE> clientTwips;
        std::wstring linkTopic;
        int linkMode;
    };

    void Release();
    // The program's set of loaded forms holds a shared form while it is loaded.
    void KeepWhileLoaded();
    void LetGoAfterUnload();
    void DestroyedFromOutside();
    void RaiseResize(bool always);
    void RunModal();
    void ApplyIcon();
    DWORD BorderBits() const;

    State state_ = State::Unloaded;
    std::wstring caption_;
    std::shared_ptr<StdPicture> icon_;
    FormBorderStyleConstants border_ = FormBorderStyleConstants::Sizable;
    std::optional<SIZE> clientTwips_;
    HWND parentWindow_ = nullptr;
    bool controlsLater_ = false;
    bool controlsMade_ = false;
    std::wstring linkTopic_;
    int linkMode_ = 0;
    FormProps design_{};
    bool designSaved_ = false;
    bool shown_ = false;  // shown since the last load
    bool destroyedOutside_ = false;
    std::optional<FormWindowStateConstants> pendingState_;  // set while hidden
    struct { int cx = -1, cy = -1; bool minimized = false; } lastResize_;
    ControlToolTips toolTips_;
};

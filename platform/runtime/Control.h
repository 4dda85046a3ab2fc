// Base of forms and of the controls placed on them: the window's place in its
// container (in the container's scale units), visibility, font, mouse pointer,
// mouse input turned into MouseDown / MouseMove / MouseUp / Click, and Enter
// that a control does not use turned into a press of the form's default button.
#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "OleColor.h"
#include "StdPicture.h"
#include "Twips.h"
#include "Window.h"

class Canvas;
class Form;

enum class MousePointerConstants {
    Default = 0, Arrow = 1, Crosshair = 2, IBeam = 3, SizeNESW = 6, SizeNS = 7, SizeNWSE = 8,
    SizeWE = 9, UpArrow = 10, Hourglass = 11, NoDrop = 12, SizeAll = 15, Custom = 99
};

// Something kept by a container (form or picture box) that follows its window.
class ContainerMember {
public:
    virtual ~ContainerMember() = default;
    // The container's window has just been created.
    virtual void ContainerCreated() = 0;
    // The form was unloaded: back to the state it had before its first load.
    virtual void ContainerUnloaded() = 0;
};

class Control : public Window, public ContainerMember {
public:
    // `container` is the form or picture box the control lies in; a form has none.
    explicit Control(Canvas* container);
    ~Control() override;

    // Geometry in the container's scale units; a form's in twips on the screen.
    int Left();
    void Left(int value);
    int Top();
    void Top(int value);
    int Width();
    void Width(int value);
    int Height();
    void Height(int value);
    void Move(int left, std::optional<int> top = {}, std::optional<int> width = {}, std::optional<int> height = {});

    virtual bool Visible() { return p_.visible; }
    virtual void Visible(bool value);
    bool Enabled() const { return p_.enabled; }
    void Enabled(bool value);
    const std::wstring& Tag() const { return p_.tag; }
    void Tag(const std::wstring& value) { p_.tag = value; }
    // Shown in a tip when the pointer rests on the control; empty shows none.
    const std::wstring& ToolTipText() const { return p_.toolTipText; }
    void ToolTipText(const std::wstring& value);

    MousePointerConstants MousePointer() const { return p_.mousePointer; }
    void MousePointer(MousePointerConstants value) { p_.mousePointer = value; }
    std::shared_ptr<StdPicture> MouseIcon() const { return p_.mouseIcon; }
    void MouseIcon(std::shared_ptr<StdPicture> value) { p_.mouseIcon = std::move(value); }

    const std::wstring& FontName() const { return p_.fontName; }
    void FontName(const std::wstring& value);
    double FontSize() const { return p_.fontSize; }
    void FontSize(double points);
    bool FontBold() const { return p_.fontBold; }
    void FontBold(bool value);
    bool FontUnderline() const { return p_.fontUnderline; }
    void FontUnderline(bool value);

    // The window handle; touching it loads the form.
    HWND hWnd();
    void Refresh();
    void SetFocus();

    Canvas* Container() const { return container_; }
    // The form the control lies on (a form is its own).
    Form* Parent();

    // Events. A form raises its own Form_ handlers instead.
    std::function<void()> Click;
    std::function<void(int Button, int Shift, int X, int Y)> MouseDown;
    std::function<void(int Button, int Shift, int X, int Y)> MouseMove;
    std::function<void(int Button, int Shift, int X, int Y)> MouseUp;

    // Container side: notifications that Windows sends to the parent window.
    virtual void ReflectCommand(WORD code) {}
    virtual HBRUSH ReflectCtlColor(HDC dc) { return nullptr; }
    virtual void ReflectScroll(WORD code) {}

    void ContainerCreated() override;
    void ContainerUnloaded() override;

protected:
    // Class, styles and title of this control's window (parent and geometry are filled in).
    virtual CreateParams WindowParams() = 0;
    // The control's window: its own, or that of the component it hosts.
    virtual HWND Handle() const { return hwnd(); }
    // Makes the control's window from `cp`; false when the platform refused.
    virtual bool MakeWindow(const CreateParams& cp) { return Create(cp); }
    // Destroys the control's window (the object stays).
    virtual void DropWindow() { Destroy(); }
    // The window now exists: push the properties it does not take at creation.
    virtual void Created() {}
    // Properties are kept as at the first load and put back at unload.
    virtual void SaveDesign() { design_ = p_; }
    virtual void RestoreDesign() { p_ = design_; }
    // A new element of a control array takes the properties of another, hidden.
    virtual void CopyPropertiesFrom(const Control& other);
    template <class>
    friend class ControlArray;

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroyed() override;

    virtual void RaiseClick() { if (Click) Click(); }
    virtual void RaiseMouseDown(int b, int s, int x, int y) { if (MouseDown) MouseDown(b, s, x, y); }
    virtual void RaiseMouseMove(int b, int s, int x, int y) { if (MouseMove) MouseMove(b, s, x, y); }
    virtual void RaiseMouseUp(int b, int s, int x, int y) { if (MouseUp) MouseUp(b, s, x, y); }
    // Unit of the X and Y of mouse events: the container's (a canvas uses its own).
    virtual ScaleModeConstants MouseScale() const;
    // Unit of Left / Top / Width / Height.
    ScaleModeConstants GeometryScale() const;
    // Whether this control raises mouse events from its own window messages
    // (system controls that capture the mouse themselves do not).
    virtual bool TracksMouse() const { return true; }

    // Creates the window now (the container's window must exist).
    void CreateWindowNow();
    // Each concrete control calls this at the end of its constructor: a control
    // made while its container is loaded gets its window at once.
    void Attached();
    // Width or height was set (a form forgets its design inner size).
    virtual void SizeSet() {}
    // Reading a form's geometry loads it (setting it before load stores the
    // design value); a control's does not.
    virtual void Touch() {}
    HFONT Font();
    void FontChanged();
    // The font was made again; `font` replaces the one that is about to be deleted.
    virtual void FontReplaced(HFONT font) {}
    // Cursor for WM_SETCURSOR; nullptr leaves the class cursor.
    HCURSOR Cursor() const;

    struct Props {
        // Pixels relative to the container's client area; a form's on the screen.
        int x = 0, y = 0, cx = 100, cy = 30;
        bool positioned = true;  // false: a form placed where the system chooses
        bool visible = true;
        bool enabled = true;
        std::wstring tag;
        std::wstring toolTipText;
        MousePointerConstants mousePointer = MousePointerConstants::Default;
        std::shared_ptr<StdPicture> mouseIcon;
        std::wstring fontName = L"宋体";
        double fontSize = 9;
        bool fontBold = false;
        bool fontUnderline = false;
    };
    Props p_;

private:
    void ReadGeometry();
    void ApplyGeometry();
    void MouseMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Gives the window the tip `text` in its form's tip window (empty: none).
    void ShowToolTip(const std::wstring& text);
    // Whether the window handles the key itself (a multi-line edit takes Enter).
    bool UsesKey(WPARAM key);
    // Enter that this control does not use presses its form's default button;
    // false when there is none to press.
    bool PressDefaultButton();

    Canvas* container_;
    Props design_;
    bool designSaved_ = false;
    HFONT font_ = nullptr;
    bool pressed_ = false;  // left button went down on this window
};

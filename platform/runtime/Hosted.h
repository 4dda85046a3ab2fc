// A control whose window belongs to a component object (a toolkit control,
// the browser view, the Flash view). Every load of the form makes a fresh
// component whose window is a child of the container, placed in the
// container's scale; Design runs on it before the form's load handler; the
// unload drops it. Left / Top / Width / Height / Move, Visible, Enabled and
// ToolTipText work as on any control; the component's own members are
// reached through -> (touching them loads the form, as any property does).
#pragma once
#include <functional>
#include <memory>

#include "Canvas.h"
#include "Form.h"
#include "HandlerScope.h"
#include "RaisedError.h"

// How a component of kind T is made, specialised beside each component:
//   static std::unique_ptr<T> Make(HWND parent, const RECT& place);
// `place` is in pixels of the parent's client area; nullptr when refused.
template <class T>
struct HostTraits;

template <class T>
class Hosted : public Control {
public:
    using Maker = std::function<std::unique_ptr<T>(HWND parent, const RECT& place)>;

    explicit Hosted(Canvas& container) : Control(&container) { Attached(); }
    ~Hosted() override { object_.reset(); }

    // The component of the current load; touching it loads the form and its controls.
    T& Object() {
        if (!object_)
            if (Form* f = Parent()) f->LoadControls();
        if (!object_) throw RaisedError(91, "Hosted", "Object variable or With block variable not set");
        return *object_;
    }
    T* operator->() { return &Object(); }
    T& operator*() { return Object(); }
    // The component while the form is loaded, else nullptr (does not load).
    T* Live() const { return object_.get(); }
    // The component's window (nullptr while the form is not loaded).
    HWND hwnd() const { return Handle(); }

    void Enabled(bool value) {
        Control::Enabled(value);
        if (object_) EnableComponent(value);
    }
    bool Enabled() const { return Control::Enabled(); }

    // Runs on each fresh component right after its window is made, before the
    // form's load handler: what the form's design gives the control (property
    // values, event handlers).
    std::function<void(T&)> Design;
    // Makes the fresh component; empty: HostTraits<T>::Make.
    Maker Make;

protected:
    CreateParams WindowParams() override {
        CreateParams cp;
        cp.style = 0;
        return cp;
    }
    HWND Handle() const override { return object_ ? object_->hwnd() : nullptr; }
    bool MakeWindow(const CreateParams& cp) override {
        const RECT place{cp.x, cp.y, cp.x + cp.cx, cp.y + cp.cy};
        auto object = Make ? Make(cp.parent, place) : HostTraits<T>::Make(cp.parent, place);
        if (!object || !object->hwnd()) return false;
        object_ = std::move(object);
        if (Design) Design(*object_);
        if (!Handle()) return false;
        EnableComponent(!(cp.style & WS_DISABLED));
        ShowWindow(Handle(), (cp.style & WS_VISIBLE) ? SW_SHOWNA : SW_HIDE);
        return true;
    }
    // The component may be the one whose event is unloading the form (a
    // close button's Click): it is freed once that handler has returned.
    void DropWindow() override { HandlerScope::ReleaseAfterHandlers(std::shared_ptr<T>(std::move(object_))); }

private:
    // A component with an Enabled of its own also changes its look.
    void EnableComponent(bool value) {
        if constexpr (requires(T& t) { t.Enabled(value); })
            object_->Enabled(value);
        else
            EnableWindow(Handle(), value);
    }

    std::unique_ptr<T> object_;
};

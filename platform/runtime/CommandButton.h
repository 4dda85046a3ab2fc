// Command button: a push button with a caption; Click when pressed. The
// form's default button is pressed by Enter too.
#pragma once
#include "Control.h"

class CommandButton : public Control {
public:
    explicit CommandButton(Canvas& container);
    ~CommandButton() override;

    const std::wstring& Caption() const { return caption_; }
    void Caption(const std::wstring& value);
    // The form's default button: Enter in any control of the form that does
    // not use the key itself presses it. Set on one button, it is cleared on
    // the form's others.
    bool Default() const { return default_; }
    void Default(bool value);

    // The default button of `form` when it has one that is shown and enabled.
    static CommandButton* DefaultOf(Form& form);

    void ReflectCommand(WORD code) override;

protected:
    CreateParams WindowParams() override;
    void SaveDesign() override;
    void RestoreDesign() override;
    bool TracksMouse() const override { return false; }

private:
    std::wstring caption_;
    bool default_ = false;
    struct {
        std::wstring caption;
        bool isDefault = false;
    } design_;
};

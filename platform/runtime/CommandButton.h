// Command button: a push button with a caption; Click when pressed.
#pragma once
#include "Control.h"

class CommandButton : public Control {
public:
    explicit CommandButton(Canvas& container);
    ~CommandButton() override;

    const std::wstring& Caption() const { return caption_; }
    void Caption(const std::wstring& value);

    void ReflectCommand(WORD code) override;

protected:
    CreateParams WindowParams() override;
    void SaveDesign() override;
    void RestoreDesign() override;
    bool TracksMouse() const override { return false; }

private:
    std::wstring caption_, design_;
};

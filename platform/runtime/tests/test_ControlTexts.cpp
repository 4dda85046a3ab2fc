// What a person's tools read from the controls' windows, and the text box's
// limit on text set from code.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Form.h"
#include "Label.h"
#include "TextBox.h"

namespace {

std::wstring WindowText(HWND h) {
    wchar_t text[256] = L"";
    GetWindowTextW(h, text, 256);
    return text;
}

class Register : public Form {
public:
    Register() {
        Caption(L"注册");
        Move(0, 0, 6000, 4500);
        title.Caption(L"用户注册");
        title.Move(150, 150, 1500, 300);
        code.Move(150, 600, 1500, 300);
        code.MaxLength(4);
    }
    Label title{*this};
    TextBox code{*this};
};

TEST(ControlTexts, ALabelsWindowTextIsItsCaption) {
    Register r;
    r.Show();
    EXPECT_EQ(WindowText(r.title.hwnd()), L"用户注册");
    r.title.Caption(L"验证码");
    EXPECT_EQ(WindowText(r.title.hwnd()), L"验证码");
    // Found by its text among the form's children, as a tool would look.
    EXPECT_EQ(FindWindowExW(r.hwnd(), nullptr, nullptr, L"验证码"), r.title.hwnd());
    r.Unload();
    r.Show();
    EXPECT_EQ(WindowText(r.title.hwnd()), L"用户注册");
    r.Unload();
}

TEST(ControlTexts, TextSetFromCodeIsCutToMaxLength) {
    Register r;
    std::vector<std::wstring> changes;
    r.code.Change = [&] { changes.push_back(r.code.Text()); };
    r.code.Text(L"abcdef");  // before the window exists
    EXPECT_EQ(r.code.Text(), L"abcd");
    r.Show();
    EXPECT_EQ(WindowText(r.code.hwnd()), L"abcd");
    r.code.Text(L"验证码很长");
    EXPECT_EQ(r.code.Text(), L"验证码很");
    EXPECT_EQ(WindowText(r.code.hwnd()), L"验证码很");
    EXPECT_EQ(changes, std::vector<std::wstring>{L"验证码很"});
    // A longer text that cuts to the same one changes nothing.
    r.code.Text(L"验证码很多");
    EXPECT_EQ(changes.size(), 1u);
    r.code.Text(L"12");
    EXPECT_EQ(r.code.Text(), L"12");
    r.code.MaxLength(0);
    r.code.Text(L"123456789");
    EXPECT_EQ(r.code.Text(), L"123456789");
    r.Unload();
}

}  // namespace

// The benchmark's baseline program: an empty window made with the same forms
// runtime as the launcher and the player, started the same way, which also
// answers DDE executes on "EmptyWindow|EmptyDDE". Its start's steps go to
// "startup.marks" once the window has painted.
#include <windows.h>

#include "App.h"
#include "Form.h"
#include "StartupMarksFile.h"

namespace {

MarkRecorder marks;

class EmptyForm : public Form {
public:
    EmptyForm() {
        Caption(L"EmptyWindow");
        LinkTopic(L"EmptyDDE");
        LinkMode(1);
    }

protected:
    void Form_LinkExecute(const std::wstring&, int& Cancel) override { Cancel = 0; }
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
        const LRESULT result = Form::WndProc(msg, wParam, lParam);
        if (msg == WM_PAINT && !painted_) {
            painted_ = true;
            marks.Mark("window painted");
            marks.Save();
        }
        return result;
    }

private:
    bool painted_ = false;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    marks.Mark("program entered");
    EmptyForm form;
    form.Show();
    marks.Mark("main window shown");
    App::Run();
    return 0;
}

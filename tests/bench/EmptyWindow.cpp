// The benchmark's baseline program: an empty window made with the same forms
// runtime as the launcher and the player, started the same way, which also
// answers DDE executes on "EmptyWindow|EmptyDDE".
#include <windows.h>

#include "App.h"
#include "Form.h"

namespace {

class EmptyForm : public Form {
public:
    EmptyForm() {
        Caption(L"EmptyWindow");
        LinkTopic(L"EmptyDDE");
        LinkMode(1);
    }

protected:
    void Form_LinkExecute(const std::wstring&, int& Cancel) override { Cancel = 0; }
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    EmptyForm form;
    form.Show();
    App::Run();
    return 0;
}

#include "MainFrmPages.h"

#include "Form.h"
#include "ITabForm.h"

namespace {

// Holds the catalogue tab's place until the catalogue page is built.
class CataloguePlace : public Form, public ITabForm {
public:
    CataloguePlace() {
        BorderStyle(FormBorderStyleConstants::None);
        BackColor(0xF9F9F9);
    }
    HWND hwnd() const override { return Window::hwnd(); }
    void Initialize(IuTab*, CTabItem*) override {}
    void Unload() override { Form::Unload(); }
};

}  // namespace

std::shared_ptr<ITabForm> NewCataloguePage() {
    auto page = std::make_shared<CataloguePlace>();
    page->Load();
    return page;
}

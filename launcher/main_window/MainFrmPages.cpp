#include "MainFrmPages.h"

#include "MainGame.h"

std::shared_ptr<ITabForm> NewCataloguePage(HWND container) {
    auto page = std::make_shared<MainGame>();
    page->ParentWindow(container);
    page->Load();
    return page;
}

void LoadCatalogue(ITabForm& page) {
    if (auto* catalogue = dynamic_cast<MainGame*>(&page)) catalogue->LoadCatalogue();
}

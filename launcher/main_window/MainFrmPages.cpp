#include "MainFrmPages.h"

#include "MainGame.h"

std::shared_ptr<ITabForm> NewCataloguePage() {
    auto page = std::make_shared<MainGame>();
    page->Load();
    return page;
}

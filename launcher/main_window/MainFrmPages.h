// Creation of the main window's second page, the portal catalogue "找游戏",
// and the loading of its catalogue after the window's first paint.
#pragma once
#include <windows.h>

#include <memory>

class ITabForm;

// A new catalogue page, loaded as a child of the page container `container`;
// its controls and catalogue wait for LoadCatalogue or its first showing.
std::shared_ptr<ITabForm> NewCataloguePage(HWND container);
// Has the catalogue page load its pictures and first page, if not done yet.
void LoadCatalogue(ITabForm& page);

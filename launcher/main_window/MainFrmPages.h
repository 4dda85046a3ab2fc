// Creation of the main window's second page, the portal catalogue "找游戏".
#pragma once
#include <memory>

class ITabForm;

// A new, loaded catalogue page.
std::shared_ptr<ITabForm> NewCataloguePage();

#include "MainGameLinks.h"

#include "MainFrm.h"
#include "MainMe.h"

MainGameLinks& GamePageLinks() {
    static MainGameLinks links{
        [](const std::wstring& DL_Name) { TheMainMe().Image_Flash_Run(DL_Name); },
        [](const std::wstring& DL_Name, const std::wstring& DL_Run) { TheMainMe().Image_Flash_Add(DL_Name, DL_Run); },
        nullptr,
    };
    return links;
}

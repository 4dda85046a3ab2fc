#include "MainGameLinks.h"

#include "FlashGame.h"
#include "MainFrm.h"
#include "MainMe.h"

MainGameLinks& GamePageLinks() {
    static MainGameLinks links{
        [](const std::wstring& DL_Name) { TheMainMe().Image_Flash_Run(DL_Name); },
        [](const std::wstring& DL_Name, const std::wstring& DL_Run) { TheMainMe().Image_Flash_Add(DL_Name, DL_Run); },
        [](const std::wstring& UrlValue, const std::wstring& IntroduceValue, const std::wstring& Swf_Url) {
            auto page = std::make_shared<FlashGame>();
            page->URL(UrlValue, IntroduceValue, Swf_Url);
            return std::shared_ptr<ITabForm>(page);
        },
    };
    return links;
}

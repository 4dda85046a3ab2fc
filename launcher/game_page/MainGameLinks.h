// What the catalogue page and the game pages ask of other windows: the
// library page starts a stored game and reloads its grid, the Flash page
// plays a game. By default they reach the main window's library page and
// make Flash pages; tests put their own observers here. An empty one is not
// called.
#pragma once
#include <functional>
#include <memory>
#include <string>

class ITabForm;

struct MainGameLinks {
    // The library page: start the stored game of this name.
    std::function<void(const std::wstring& DL_Name)> Image_Flash_Run;
    // The library page: reload the grid and, when DL_Run is "1", start the game.
    std::function<void(const std::wstring& DL_Name, const std::wstring& DL_Run)> Image_Flash_Add;
    // A new Flash page with its URL already called with these arguments.
    std::function<std::shared_ptr<ITabForm>(const std::wstring& UrlValue, const std::wstring& IntroduceValue,
                                            const std::wstring& Swf_Url)>
        NewFlashGame;
};

MainGameLinks& GamePageLinks();

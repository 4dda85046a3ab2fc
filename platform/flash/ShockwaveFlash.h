// The Flash player view: a child window that loads a movie from a file of
// the program's folder or from a web address, reads its header and shows the
// movie's name and facts on a stage scaled by ScaleMode. It does not run the
// movie. The window's text is the address of the movie shown; every load
// into every layer is kept in order.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "MovieFacts.h"
#include "MovieHeadFetch.h"
#include "MovieStage.h"
#include "Window.h"

class ShockwaveFlash : public Window {
public:
    struct CreateArgs {
        HWND parent = nullptr;
        int left = 0, top = 0, width = 0, height = 0;  // pixels in the parent's client area
        UINT id = 0;
    };
    explicit ShockwaveFlash(const CreateArgs& args);
    ~ShockwaveFlash() override;

    // Loads a movie into a layer; layer 0 holds the movie shown, and a later
    // load replaces it. The movie starts playing. Web addresses are read in
    // the background; a file only inside the program's folder
    // (ReadableFolder), else the movie is missing. Other layers are not shown.
    void LoadMovie(long layer, const std::wstring& address);
    bool Playing() const { return playing_; }
    void Playing(bool value);
    // Whether a right click offers the player's context menu.
    bool Menu() const { return menu_; }
    void Menu(bool value) { menu_ = value; }
    // kScaleShowAll (0) or kScaleExactFit (2).
    long ScaleMode() const { return scaleMode_; }
    void ScaleMode(long value);

    // Geometry in pixels of the parent's client area.
    void Move(int left, int top, int width, int height);
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetFocus();

    // What the player shows now.
    const MovieFacts& Movie() const { return movie_; }
    // Every address loaded into the layer, in the order of the loads; the
    // last one of layer 0 is the movie shown.
    std::vector<std::wstring> LoadedMovies(long layer) const;
    // The stage within the window for the movie and the scale mode.
    StageRect Stage() const;

    static constexpr COLORREF kBandColour = RGB(48, 48, 48);
    static constexpr COLORREF kStageColour = RGB(255, 255, 255);

protected:
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    RECT PlaceInParent() const;
    void Show(MovieFacts facts);
    void Paint(HDC dc) const;
    void OnPaint();
    void OnFetched(WPARAM id);
    void OnContextMenu(LPARAM lParam);

    MovieFacts movie_;
    std::map<long, std::vector<std::wstring>> layers_;
    std::shared_ptr<MovieHeadFetch> fetch_;
    WPARAM lastFetchId_ = 0;
    bool playing_ = false;
    bool menu_ = true;
    long scaleMode_ = kScaleShowAll;
};

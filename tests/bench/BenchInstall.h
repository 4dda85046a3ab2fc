// The benchmark's installations, made by make_libraries.py: copies of the
// program folder named lib<games> whose Jpgs holds a photographic picture
// per game and whose names.txt lists the games' names.
#pragma once
#include <string>
#include <vector>

struct Installation {
    int games = 0;
    std::wstring folder;
};

// The installations in `libraries`, fewest games first.
std::vector<Installation> FindInstallations(const std::wstring& libraries);

// The launcher's settings and current directory pointed at an installation.
void UseInstallation(const std::wstring& folder);

// Adds the installation's games to its library in the order of names.txt,
// so that the last name is the newest game.
void FillLibrary(const Installation& installation);

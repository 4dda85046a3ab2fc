// What the catalogue page and the game page share: looking a game up in the
// library, writing the game's row, and the texts that tell the user why a
// game was not added.
#pragma once
#include <string>

// The program folder: AppDir without the backslash that was appended to it.
std::wstring ProgramFolder();

struct StoredGame {
    bool found = false;
    std::wstring name;  // as stored (decoded): the name the game's files have
    std::wstring wUrl;  // column W_Url as stored (not decoded)
};
// The game of this name in the library, on a database opened and released
// within the call; not found when the library or file cannot be opened.
// Names are compared as the file system compares file names, without regard
// to letter case: a game whose name differs only so has the same files.
StoredGame LookUpGame(const std::wstring& name);

// Opens the database, runs the statement when it opened, closes and shuts
// the library down whatever happened. True when the statement ran.
bool ExecOnLibrary(const std::wstring& statement);

// What the user is told: the game's name cannot be a file name; its
// thumbnail or movie address is neither a web address nor a path of the
// portal; a download failed with this code; the thumbnail that came is no
// picture, the movie no Flash movie; the downloaded files could not be given
// their names; the game's row could not be written.
std::wstring UnusableNameMessage(const std::wstring& name);
std::wstring UnusableAddressMessage(const std::wstring& name);
std::wstring DownloadFailedMessage(const std::wstring& name, long code);
std::wstring NotAPictureMessage(const std::wstring& name);
std::wstring NotAMovieMessage(const std::wstring& name);
std::wstring SaveFailedMessage(const std::wstring& name);
std::wstring NotSavedMessage(const std::wstring& name);

// What the catalogue page and the game page share: looking a game up in the
// library, giving downloaded files their final names, writing the game's
// row, and the texts that tell the user why a game was not added.
#pragma once
#include <initializer_list>
#include <string>

// The program folder: AppDir without the backslash that was appended to it.
std::wstring ProgramFolder();

struct StoredGame {
    bool found = false;
    std::wstring wUrl;  // column W_Url as stored (not decoded)
};
// "Select * From [Games]  Where [G_Name] = '...'" on a database opened and
// released within the call; not found when the library or file cannot be opened.
StoredGame LookUpGame(const std::wstring& name);

// Opens the database, runs the statement when it opened (its result is not
// needed), closes and shuts the library down whatever happened.
void ExecOnLibrary(const std::wstring& statement);

// One downloaded file and the name it must get, both inside `folder`.
struct FinalName {
    std::wstring folder;
    std::wstring downloaded;  // the name the download left it under
    std::wstring final;       // "<game>.jpg" or "<game>.swf"
};
// Gives each file its final name, in order. Every downloaded file must be
// there first, else nothing changes. A file already under a final name is
// replaced. If a rename fails, the files renamed before it go back to their
// downloaded names. True when every file got its final name.
bool GiveFinalNames(std::initializer_list<FinalName> files);

// What the user is told: the game's name cannot be a file name; its
// thumbnail or movie address is neither a web address nor a path of the
// portal; a download failed with this code; the downloaded files could not
// be given their names.
std::wstring UnusableNameMessage(const std::wstring& name);
std::wstring UnusableAddressMessage(const std::wstring& name);
std::wstring DownloadFailedMessage(const std::wstring& name, long code);
std::wstring SaveFailedMessage(const std::wstring& name);

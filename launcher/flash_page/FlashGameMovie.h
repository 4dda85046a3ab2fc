// Where a Flash game page finds its movies: the two lead-in movies and a
// game's saved file below the program folder's "\Games\", and the address of
// the game's own movie as the library stores it.
#pragma once
#include <string>

// Both folders are the program folder without a trailing backslash.
std::wstring LeadInMovie(const std::wstring& programFolder);  // played ahead of a game
std::wstring ReplayMovie(const std::wstring& programFolder);  // played ahead of a replay

// "\Games\<name>.swf" below the program folder; empty for a name that is not
// usable as a file name there (IsUsableGameName: no folders, streams, devices
// or characters Windows refuses), so such a game never reads a file elsewhere
// and its movie counts as missing.
std::wstring SavedMovie(const std::wstring& programFolder, const std::wstring& gameName);

// The game's movie: the saved file when swfUrl is empty, swfUrl itself when
// it is a full address (IsFullAddress: "http://" or "https://" at its start,
// in these letters), else portalUrl directly followed by swfUrl.
std::wstring GameMovie(const std::wstring& programFolder, const std::wstring& gameName, const std::wstring& swfUrl,
                       const std::wstring& portalUrl);

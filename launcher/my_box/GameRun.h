// Handing a game to the program that plays it: the player's program file,
// the test for a running player, and the fixed addresses of the hand-off.
#pragma once
#include <string>

// Conversation address of the running player.
inline constexpr wchar_t kPlayerLink[] = L"Pellow|PellowDDE";
// Web games carrying this studio marker open in Internet Explorer.
inline constexpr wchar_t kStudioMarker[] = L"url_vantor";

// True when the exclusive open for reading and writing fails because the
// file is open elsewhere: the program file of a running program (or one
// another program holds). Any other failure, a missing file included, is no.
bool IsFileLocked(const std::wstring& path);
// The player's program file in the program folder.
std::wstring PlayerFile();
// What the user is told when a running player does not take a web game.
std::wstring HandOffFailedMessage(const std::wstring& name);
// What the user is told when the player's program file is missing.
std::wstring PlayerMissingMessage(const std::wstring& name);

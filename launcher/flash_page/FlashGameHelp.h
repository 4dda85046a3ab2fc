// The help page a Flash game page writes into its help panel's browser: a
// style sheet for the key icons of the portal's introductions (drawn from the
// skin's icon_keys.png sprite sheet) and the game's introduction as its body.
#pragma once
#include <string>
#include <vector>

// One entry per writeln, in order. programFolder has no trailing backslash;
// introduce is the introduction as the library stores it (percent-encoded).
std::vector<std::wstring> HelpPageLines(const std::wstring& programFolder, const std::wstring& introduce);

// The stored introduction as text: every "%20" a blank, then the remaining
// percent groups decoded as UTF-8.
std::wstring IntroductionText(const std::wstring& introduce);

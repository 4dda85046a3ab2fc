// The public actions of the main menu: the settings dialog, and the portal's
// home and contact pages in the user's web browser.
#pragma once

namespace MenuPublic {
// Pauses the main window's notice timer and shows the settings dialog
// modally over the main window; the dialog restarts the timer as it closes.
void MenuSZ();
// The portal's home page.
void MenuWeb();
// The portal's contact page.
void MenuHelp();
}  // namespace MenuPublic

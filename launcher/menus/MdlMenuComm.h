// The launcher's two popup menus, the main menu (main window's menu button
// and the tray icon) and the game menu (right click on a game of the My box
// page): built afresh at each showing as owner-drawn items with ids from 100
// in insertion order, separators included; a chosen id is carried out by the
// window that owns the command, as the last-shown menu says.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "StdPicture.h"
#include "clsTopMenu.h"

// The popup of the last showing (nullptr before the first).
HMENU PopupMenu();
// One item object per inserted item, in insertion order.
extern std::vector<std::shared_ptr<clsTopMenu>> MenuItems;
extern int16_t MenuItemCount;
extern int32_t NextMenuID;
extern bool MainMenuShown;
extern bool GameMenuShown;

inline constexpr int16_t kMenuItemWidth = 131;
inline constexpr int16_t kMenuItemHeight = 24;
inline constexpr int16_t kMenuSeparatorHeight = 5;

// Build the menu and show it at the cursor; the choice comes back as
// WM_COMMAND to the owner window (main window, My box page).
void ShowMainMenu();
void ShowGameMenu();
// Inserts one owner-drawn item after the existing ones, with id NextMenuID.
void AddMenuItem(HMENU hMenu, const std::wstring& caption, int16_t width, int16_t height, HICON icon);
// Carries out a chosen command of the last-shown menu; any other id does nothing.
void MenuCommand(WPARAM id);
// Releases all item objects.
void ClearMenuItems();
// The picture a checked item shows: the main window's Pic(0) as it looks.
std::shared_ptr<StdPicture> MenuCheckPicture();

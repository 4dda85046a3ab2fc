// Files below the program folder (AppDir) and the skin pictures among them.
// A skin picture that is missing or unreadable is no picture: the window
// that wanted it opens without it.
#pragma once
#include <memory>
#include <string>

class StdPicture;

// AppDir followed by `relative` (written without a leading "\").
std::wstring ProgramFile(const std::wstring& relative);
// The picture file, or nullptr when it cannot be loaded.
std::shared_ptr<StdPicture> LoadSkinPicture(const std::wstring& relative);

// Installations for the benchmark: copies of the program folder in a
// temporary folder, as a user's, with a library of a given number of games,
// each with its own photographic thumbnail in Jpgs.
#pragma once
#include <string>

// Copies the folder's contents into `to` (made when missing).
bool CopyFolder(const std::wstring& from, const std::wstring& to);

// The launcher's settings and current directory pointed at an installation.
void UseInstallation(const std::wstring& folder);

// Adds `games` games to the installation's library, newest last. Game i
// gets photo (i - 1) modulo the photos' count (files 0.jpg, 1.jpg, ... in
// `photos`), so the pictures of any 100 consecutive pages differ as long as
// there are 2000 photos. Names are Chinese words with a number, as portal
// games are named.
void FillLibrary(const std::wstring& folder, const std::wstring& photos, int photoCount, int games);

// Name of game i (1-based) of a filled library.
std::wstring BenchGameName(int i);

#include "AddStage.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cwctype>
#include <filesystem>
#include <optional>
#include <system_error>

#include "MovieHeadFetch.h"
#include "StdPicture.h"
#include "SwfHeader.h"
#include "bkDLControl.h"

namespace fs = std::filesystem;

namespace {

constexpr wchar_t kStages[] = L"Downloads";
constexpr wchar_t kLock[] = L"add.lock";
constexpr wchar_t kOlder[] = L"Older";        // files that had a final name before the add
constexpr wchar_t kDownload[] = L"download";  // a part's download in its folder of the stage

const wchar_t* PartFolder(AddStage::Part part) { return part == AddStage::Part::Thumbnail ? L"Jpgs" : L"Games"; }

std::wstring FinalPath(const std::wstring& program, AddStage::Part part, const std::wstring& game) {
    return program + L"\\" + PartFolder(part) + L"\\" + game +
           (part == AddStage::Part::Thumbnail ? L".jpg" : L".swf");
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring LastSegment(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

// True when the path reaches a file or folder whose own long name is not the
// path's last segment: the segment is the short alias of another file.
bool ReachesAnotherName(const std::wstring& path) {
    std::wstring real(GetLongPathNameW(path.c_str(), nullptr, 0), L'\0');
    if (real.empty()) return false;  // nothing there
    real.resize(GetLongPathNameW(path.c_str(), real.data(), static_cast<DWORD>(real.size())));
    const std::wstring name = LastSegment(path), own = LastSegment(real);
    return CompareStringOrdinal(own.c_str(), -1, name.c_str(), -1, TRUE) != CSTR_EQUAL;
}

void RemoveTree(const std::wstring& path) {
    std::error_code ec;
    fs::remove_all(fs::path(path), ec);
}

// The lock file of a stage in use cannot be deleted: its add holds it open.
bool IsHeld(const std::wstring& stage) {
    if (DeleteFileW((stage + L"\\" + kLock).c_str())) return false;
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

// The names GetTempFileName gives the download control's files: "dl", one
// to four hexadecimal digits, ".tmp".
bool IsControlTemporary(const std::wstring& name) {
    if (name.size() < 7 || name.size() > 10) return false;
    return CompareStringOrdinal(name.c_str(), 2, L"dl", 2, TRUE) == CSTR_EQUAL &&
           CompareStringOrdinal(name.c_str() + name.size() - 4, 4, L".tmp", 4, TRUE) == CSTR_EQUAL &&
           std::all_of(name.begin() + 2, name.end() - 4, [](wchar_t c) { return std::iswxdigit(c) != 0; });
}

// What downloads of a launcher that ended before they did left behind. The
// control's temporary files in Jpgs and Games are an older launcher's: stages
// now take every download.
void RemoveEndedDownloads(const std::wstring& program) {
    std::error_code stages, parts;
    for (const auto& entry : fs::directory_iterator(fs::path(program + L"\\" + kStages), stages))
        if (entry.is_directory(stages) && !IsHeld(entry.path().wstring())) RemoveTree(entry.path().wstring());
    for (const wchar_t* part : {L"Jpgs", L"Games"})
        for (const auto& entry : fs::directory_iterator(fs::path(program + L"\\" + part), parts))
            if (IsControlTemporary(entry.path().filename().wstring())) DeleteFileW(entry.path().c_str());
}

}  // namespace

void AddStage::LockCloser::operator()(void* handle) const { CloseHandle(handle); }

AddStage::AddStage(std::wstring programFolder, std::wstring folder, std::unique_ptr<void, LockCloser> lock)
    : program_(std::move(programFolder)), folder_(std::move(folder)), lock_(std::move(lock)) {}

std::unique_ptr<AddStage> AddStage::Make(const std::wstring& programFolder) {
    RemoveEndedDownloads(programFolder);
    const std::wstring root = programFolder + L"\\" + kStages;
    for (int n = 1; n <= 1000; ++n) {
        if (!CreateDirectoryW(root.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return nullptr;
        const std::wstring folder = root + L"\\" + std::to_wstring(n);
        if (!CreateDirectoryW(folder.c_str(), nullptr)) {
            // Taken by another add, or the root went with the last stage meanwhile.
            const DWORD error = GetLastError();
            if (error == ERROR_ALREADY_EXISTS || error == ERROR_PATH_NOT_FOUND) continue;
            return nullptr;
        }
        const HANDLE lock = CreateFileW((folder + L"\\" + kLock).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (lock == INVALID_HANDLE_VALUE) {
            RemoveDirectoryW(folder.c_str());
            return nullptr;
        }
        std::unique_ptr<AddStage> stage(
            new AddStage(programFolder, folder, std::unique_ptr<void, LockCloser>(lock)));
        for (const std::wstring& sub : {stage->Folder(Part::Thumbnail), stage->Folder(Part::Movie),
                                        folder + L"\\" + kOlder})
            if (!CreateDirectoryW(sub.c_str(), nullptr)) return nullptr;
        return stage;
    }
    return nullptr;
}

AddStage::~AddStage() {
    lock_.reset();
    RemoveTree(folder_);
    // The root goes with the last stage.
    RemoveDirectoryW((program_ + L"\\" + kStages).c_str());
}

std::wstring AddStage::Folder(Part part) const { return folder_ + L"\\" + PartFolder(part); }

std::wstring AddStage::Downloaded(Part part) const { return Folder(part) + L"\\" + kDownload; }

bool AddStage::CanGiveNames(const std::wstring& programFolder, const std::wstring& game) {
    for (Part part : {Part::Thumbnail, Part::Movie}) {
        const std::wstring path = FinalPath(programFolder, part, game);
        // The program opens its files by plain paths, which end at MAX_PATH.
        if (path.size() >= MAX_PATH || ReachesAnotherName(path)) return false;
    }
    return true;
}

void AddStage::Fetch(bkDLControl& control, const std::wstring& address, Part part) const {
    control.Url(address);
    control.SavePath(Folder(part) + L"\\");
    control.FileName(kDownload);
    control.MaxSize(part == Part::Thumbnail ? kThumbnailBound : 0);
    control.StartDown();
}

bool AddStage::Holds(Part part) const {
    const std::wstring file = Downloaded(part);
    if (part == Part::Movie) {
        const std::optional<std::string> head = ReadFileHead(file);
        return head && ParseSwfHeader(reinterpret_cast<const uint8_t*>(head->data()), head->size());
    }
    try {
        return LoadPicture(file) != nullptr;
    } catch (...) {
        return false;  // raised for a file that is no picture
    }
}

bool AddStage::GiveFinalNames(std::initializer_list<FinalName> files) {
    done_.clear();
    for (const FinalName& f : files)
        if (f.downloaded && !IsFile(Downloaded(f.part))) return false;
    for (const FinalName& f : files) {
        const std::wstring to = FinalPath(program_, f.part, f.game);
        const std::wstring aside = folder_ + L"\\" + kOlder + L"\\" + PartFolder(f.part);
        // Only the file of exactly this name is the game's, never one the name reaches as an alias.
        bool moved = !ReachesAnotherName(to);
        if (moved && IsFile(to)) {
            moved = MoveFileW(to.c_str(), aside.c_str());
            if (moved) done_.push_back({to, aside});
        }
        // Never over a file: a folder or a file that came meanwhile under the name stops it.
        if (moved && f.downloaded) {
            const std::wstring from = Downloaded(f.part);
            moved = MoveFileW(from.c_str(), to.c_str());
            if (moved) done_.push_back({from, to});
        }
        if (!moved) {
            TakeBackFinalNames();
            return false;
        }
    }
    return true;
}

void AddStage::TakeBackFinalNames() {
    for (auto move = done_.rbegin(); move != done_.rend(); ++move) MoveFileW(move->to.c_str(), move->from.c_str());
    done_.clear();
}

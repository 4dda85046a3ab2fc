// The private folder one add of a game downloads into: "Downloads\<n>"
// below the program folder. The thumbnail and the movie land there, and the
// program folder's Jpgs and Games change only when the files get their final
// names; whatever the add leaves goes with the stage. An open lock file
// marks a stage in use, so the stages of a launcher that ended in the middle
// of a download are told apart, and removed when the next stage is made.
#pragma once
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

class bkDLControl;

class AddStage {
public:
    enum class Part { Thumbnail, Movie };

    // First removes what ended downloads left: stages no running add holds,
    // and the download control's temporary files in Jpgs and Games. nullptr
    // when the program folder takes no stage.
    static std::unique_ptr<AddStage> Make(const std::wstring& programFolder);
    // Removes the stage with everything still in it.
    ~AddStage();
    AddStage(const AddStage&) = delete;
    AddStage& operator=(const AddStage&) = delete;

    // True when the game's files can have their final names, "<game>.jpg" in
    // Jpgs and "<game>.swf" in Games: both paths fit in MAX_PATH, and neither
    // name reaches a file of another name, as a short alias such as
    // "MARA~VV4.jpg" reaches the file whose long name it stands for.
    static bool CanGiveNames(const std::wstring& programFolder, const std::wstring& game);

    // Starts the control fetching the address into the stage, whatever the
    // address's last segment holds. A thumbnail larger than kThumbnailBound
    // is a download error.
    void Fetch(bkDLControl& control, const std::wstring& address, Part part) const;
    static constexpr unsigned kThumbnailBound = 16u << 20;

    // Whether the part's download is what the part must be: a thumbnail a
    // picture the program can show, a movie a file that begins as a Flash
    // movie does.
    bool Holds(Part part) const;

    struct FinalName {
        Part part;
        std::wstring game;        // the file becomes "<game>.jpg" or "<game>.swf"
        bool downloaded = true;   // false: no download takes the name, but an older file under it goes all the same
    };
    // Moves each downloaded file to its final name in Jpgs or Games, in
    // order. A file already under a final name (the game's own, left by an
    // earlier add) waits in the stage, and goes with it unless the names are
    // taken back; a name that reaches a file of another name stops it. All or
    // nothing: true when every file has its final name, else nothing has
    // changed.
    bool GiveFinalNames(std::initializer_list<FinalName> files);
    // Undoes the last GiveFinalNames: the files go back into the stage and
    // the older ones to their names.
    void TakeBackFinalNames();

private:
    struct LockCloser {
        void operator()(void* handle) const;
    };
    struct Move {
        std::wstring from, to;
    };
    AddStage(std::wstring programFolder, std::wstring folder, std::unique_ptr<void, LockCloser> lock);
    std::wstring Folder(Part part) const;
    // Where the part's download lies once complete.
    std::wstring Downloaded(Part part) const;

    const std::wstring program_;
    const std::wstring folder_;
    std::unique_ptr<void, LockCloser> lock_;
    std::vector<Move> done_;  // the moves of the last GiveFinalNames, in order
};

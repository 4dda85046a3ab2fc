#include "ProgramFiles.h"

#include "RaisedError.h"
#include "Settings.h"
#include "StdPicture.h"

std::wstring ProgramFile(const std::wstring& relative) { return AppDir + relative; }

std::shared_ptr<StdPicture> LoadSkinPicture(const std::wstring& relative) {
    try {
        return LoadPicture(ProgramFile(relative));
    } catch (const RaisedError&) {
        return nullptr;
    }
}

#include "GridPageCache.h"

Surface* GridPageCache::Find(int page) {
    for (auto it = kept_.begin(); it != kept_.end(); ++it) {
        if (it->page != page) continue;
        kept_.splice(kept_.begin(), kept_, it);
        return kept_.front().sheet.get();
    }
    return nullptr;
}

std::unique_ptr<Surface> GridPageCache::NewSheet(COLORREF background) {
    auto sheet = std::make_unique<Surface>(background);
    sheet->Resize(kCellsPerPage * kPictureSize, kPictureSize + kCaptionHeight);
    return sheet;
}

Surface& GridPageCache::Keep(int page, std::unique_ptr<Surface> sheet) {
    kept_.remove_if([page](const Kept& k) { return k.page == page; });
    if (static_cast<int>(kept_.size()) >= kPages) kept_.pop_back();
    kept_.push_front({page, std::move(sheet)});
    return *kept_.front().sheet;
}

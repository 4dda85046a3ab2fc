#include "GridPageCache.h"

Surface* GridPageCache::Find(int page) {
    for (auto it = kept_.begin(); it != kept_.end(); ++it) {
        if (it->page != page) continue;
        kept_.splice(kept_.begin(), kept_, it);
        return kept_.front().sheet.get();
    }
    return nullptr;
}

Surface& GridPageCache::Add(int page, COLORREF background) {
    kept_.remove_if([page](const Kept& k) { return k.page == page; });
    if (static_cast<int>(kept_.size()) >= kPages) kept_.pop_back();
    kept_.push_front({page, std::make_unique<Surface>(background)});
    Surface& sheet = *kept_.front().sheet;
    sheet.Resize(kCellsPerPage * kPictureSize, kPictureSize + kCaptionHeight);
    return sheet;
}

#include "CTabItem.h"

#include <algorithm>
#include <utility>

#include "ITabForm.h"
#include "IuTab.h"

ITabForm::~ITabForm() {
    if (boundItem_) boundItem_->Forget(this);
}

CTabItem::~CTabItem() {
    if (form_) form_->Unload();
    // Initialize may bind a page elsewhere: work on a copy.
    const std::vector<ITabForm*> pages = std::move(boundPages_);
    boundPages_.clear();
    for (ITabForm* page : pages) {
        page->boundItem_ = nullptr;
        page->Initialize(nullptr, nullptr);
    }
}

void CTabItem::Bind(ITabForm& page) {
    if (page.boundItem_ && page.boundItem_ != this) page.boundItem_->Forget(&page);
    if (page.boundItem_ != this) {
        page.boundItem_ = this;
        boundPages_.push_back(&page);
    }
    page.Initialize(host_, this);
}

void CTabItem::Forget(const ITabForm* page) {
    boundPages_.erase(std::remove(boundPages_.begin(), boundPages_.end(), page), boundPages_.end());
}

void CTabItem::Caption(const std::wstring& value) {
    caption_ = value;
    RedrawHost();
}

void CTabItem::Form(std::shared_ptr<ITabForm> value) {
    // The previous page stays alive until this call has finished, even when
    // the replacement was made from one of its own handlers.
    const std::shared_ptr<ITabForm> previous = std::exchange(form_, std::move(value));
    if (form_) Bind(*form_);
    if (host_) host_->ChangeForm(this, form_.get());
}

void CTabItem::HideButton(bool value) {
    hideButton_ = value;
    RedrawHost();
}

void CTabItem::LockSize(bool value) {
    lockSize_ = value;
    RedrawHost();
}

void CTabItem::RedrawHost() {
    if (host_) host_->Redraw(true);
}

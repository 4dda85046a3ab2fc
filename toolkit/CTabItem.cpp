#include "CTabItem.h"

#include "ITabForm.h"
#include "IuTab.h"

CTabItem::~CTabItem() {
    if (form_) form_->Unload();
}

void CTabItem::Caption(const std::wstring& value) {
    caption_ = value;
    RedrawHost();
}

void CTabItem::Form(std::shared_ptr<ITabForm> value) {
    form_ = std::move(value);
    if (form_) form_->Initialize(host_, this);
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

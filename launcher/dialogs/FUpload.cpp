#include "FUpload.h"

#include "MsgBox.h"
#include "OpenBrowser.h"
#include "ReplyCapture.h"
#include "Settings.h"
#include "UpdateReply.h"

FUpload::FUpload() : WB(*this), txt_Ver(*this) {
    BorderStyle(FormBorderStyleConstants::None);
    WB.Visible(false);
    WB.Design = [this](WebBrowser& w) {
        w.DocumentComplete = [this](const std::wstring& url) { WB_DocumentComplete(url); };
    };
    txt_Ver.Visible(false);
    txt_Ver.Change = [this] { txt_Ver_Change(); };
}

FUpload::~FUpload() = default;

std::wstring UpdatePageUrl() { return GetUserUrl() + L"/orvane/uplade.html"; }

void FUpload::Form_Load() {
    Width(0);
    Height(0);
    WB->Navigate(UpdatePageUrl());
}

std::size_t FUpload::Lenstr(const std::wstring& text) const { return ::Lenstr(text); }

void FUpload::WB_DocumentComplete(const std::wstring& url) {
    WebBrowser* view = WB.Live();
    if (!view) return;
    const std::wstring reply = CaptureReply(view->Document()->documentElement().outerHTML());
    const bool changes = reply != txt_Ver.Text();
    txt_Ver.Text(reply);
    // A reply equal to the box's text raises no Change; it is answered all
    // the same, so that an empty page does not keep the window loaded.
    if (!changes) txt_Ver_Change();
}

void FUpload::txt_Ver_Change() {
    if (!Loaded()) return;
    const UpdateAnswer answer = AnswerUpdateReply(txt_Ver.Text());
    if (answer.updateNeeded) {
        MsgBox(kUpdateNeeded);
        if (answer.downloadAddress) OpenInBrowser(*answer.downloadAddress);
    }
    if (answer.upToDate) MsgBox(kUpToDate);
    if (answer.connectionFailed) MsgBox(kConnectionFailed);
    Unload();
}

FUpload& TheFUpload() {
    static FUpload form;
    return form;
}

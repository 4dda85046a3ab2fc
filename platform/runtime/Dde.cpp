#include "Dde.h"

#include <cwchar>

#include "App.h"
#include "Form.h"
#include "HandlerScope.h"
#include "RaisedError.h"
#include "StartupMarks.h"

namespace {

// Wine's DDEML guesses from its bytes whether an execute string is Unicode
// and converts it from the ANSI code page when the guess says no, which
// Chinese text can fail; plain ASCII in UTF-16 never does. So every
// character outside ASCII (and the mark itself) travels as the mark U+0001
// followed by four hexadecimal digits, and the server turns it back.
constexpr wchar_t kEscape = 0x0001;

std::wstring EscapeCommand(const std::wstring& command) {
    std::wstring out;
    for (wchar_t c : command) {
        if (c < 0x80 && c != kEscape) {
            out += c;
            continue;
        }
        wchar_t hex[6];
        swprintf(hex, 6, L"%04X", static_cast<unsigned>(c));
        out += kEscape;
        out += hex;
    }
    return out;
}

std::wstring UnescapeCommand(const std::wstring& data) {
    std::wstring out;
    for (size_t i = 0; i < data.size(); ++i) {
        if (data[i] == kEscape && i + 4 < data.size()) {
            out += static_cast<wchar_t>(std::wcstoul(data.substr(i + 1, 4).c_str(), nullptr, 16));
            i += 4;
        } else {
            out += data[i];
        }
    }
    return out;
}

HDDEDATA CALLBACK Callback(UINT type, UINT fmt, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data, ULONG_PTR, ULONG_PTR);

// The server's DDEML instance, for the life of the process. Each client link
// has an instance of its own (see DdeClientLink::Disconnect).
DWORD Instance() {
    static DWORD instance = [] {
        DWORD id = 0;
        if (DdeInitializeW(&id, Callback, APPCLASS_STANDARD | CBF_FAIL_ADVISES | CBF_FAIL_POKES | CBF_FAIL_REQUESTS | CBF_SKIP_ALLNOTIFICATIONS, 0) !=
            DMLERR_NO_ERROR)
            id = 0;
        return id;
    }();
    return instance;
}

std::wstring HszText(HSZ hsz) {
    wchar_t buf[256] = {};
    DdeQueryStringW(Instance(), hsz, buf, 256, CP_WINUNICODE);
    return buf;
}

class StringHandle {
public:
    StringHandle(DWORD instance, const std::wstring& s)
        : instance_(instance), hsz_(DdeCreateStringHandleW(instance, s.c_str(), CP_WINUNICODE)) {}
    ~StringHandle() {
        if (hsz_) DdeFreeStringHandle(instance_, hsz_);
    }
    HSZ get() const { return hsz_; }

private:
    DWORD instance_;
    HSZ hsz_;
};

Form* FormForTopic(HSZ topic) {
    return Form::SourceFor(HszText(topic));
}

HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ hsz1, HSZ, HDDEDATA data, ULONG_PTR, ULONG_PTR) {
    const HandlerScope scope;
    try {
        switch (type) {
        case XTYP_CONNECT:
            return reinterpret_cast<HDDEDATA>(static_cast<UINT_PTR>(FormForTopic(hsz1) != nullptr));
        case XTYP_EXECUTE: {
            Form* form = FormForTopic(hsz1);
            if (!form) return reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);
            const DWORD size = DdeGetData(data, nullptr, 0, 0);
            std::wstring command(size / sizeof(wchar_t), L'\0');
            DdeGetData(data, reinterpret_cast<BYTE*>(command.data()), size, 0);
            command.resize(wcsnlen(command.c_str(), command.size()));
            return reinterpret_cast<HDDEDATA>(form->DeliverLinkExecute(UnescapeCommand(command)) ? DDE_FACK : DDE_FNOTPROCESSED);
        }
        }
    } catch (...) {
        // Nothing may unwind through DDEML; a failing handler refuses.
        if (type == XTYP_EXECUTE) return reinterpret_cast<HDDEDATA>(DDE_FNOTPROCESSED);
    }
    return nullptr;
}

// A client link's instance asks nothing of its callback.
HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

[[noreturn]] void RaiseNoAnswer() {
    throw RaisedError(282, "LinkMode", "No foreign application responded to a DDE initiate");
}

}  // namespace

void DdeServer::Start() {
    static bool started = false;
    if (started || !Instance()) return;
    StringHandle service(Instance(), App::EXEName());
    started = DdeNameService(Instance(), service.get(), nullptr, DNS_REGISTER) != nullptr;
    StartupMark("DDE name service registered");
}

DdeClientLink::~DdeClientLink() { DropInstance(); }

void DdeClientLink::Disconnect() {
    if (conv_) DdeDisconnect(conv_);
    conv_ = nullptr;
}

void DdeClientLink::DropInstance() {
    Disconnect();
    if (instance_) DdeUninitialize(instance_);
    instance_ = 0;
}

void DdeClientLink::LinkTopic(const std::wstring& value) {
    if (value == topic_) return;
    topic_ = value;
    Disconnect();
    mode_ = 0;
}

void DdeClientLink::LinkMode(int value) {
    if (value == 0) {
        Disconnect();
        mode_ = 0;
        return;
    }
    if (conv_) {
        CONVINFO ci{sizeof ci};
        if (DdeQueryConvInfo(conv_, QID_SYNC, &ci) && (ci.wStatus & ST_CONNECTED)) {
            mode_ = value;
            kept_ = true;
            return;
        }
        DropInstance();  // it has lost its server
    }
    Connect();
    mode_ = value;
}

void DdeClientLink::Connect() {
    const size_t bar = topic_.find(L'|');
    kept_ = false;
    // The link keeps its instance from one conversation to the next: an
    // instance is a window of its own, made and destroyed.
    if (bar != std::wstring::npos && !instance_ &&
        DdeInitializeW(&instance_, ClientCallback, APPCMD_CLIENTONLY | CBF_SKIP_ALLNOTIFICATIONS, 0) != DMLERR_NO_ERROR)
        instance_ = 0;
    if (bar != std::wstring::npos && instance_) {
        const StringHandle app(instance_, topic_.substr(0, bar)), topic(instance_, topic_.substr(bar + 1));
        conv_ = DdeConnect(instance_, app.get(), topic.get(), nullptr);
    }
    if (conv_) return;
    mode_ = 0;
    RaiseNoAnswer();
}

UINT DdeClientLink::Execute(std::wstring& data) {
    const DWORD timeout = static_cast<DWORD>(timeout_ > 0 ? timeout_ : 1) * 100;
    DWORD result = 0;
    const HDDEDATA done = DdeClientTransaction(reinterpret_cast<BYTE*>(data.data()),
                                               static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)), conv_, nullptr,
                                               CF_UNICODETEXT, XTYP_EXECUTE, timeout, &result);
    return done ? DMLERR_NO_ERROR : DdeGetLastError(instance_);
}

void DdeClientLink::LinkExecute(const std::wstring& command) {
    if (!conv_) throw RaisedError(285, "LinkExecute", "Foreign application won't perform DDE method or operation");
    std::wstring data = EscapeCommand(command);
    UINT error = Execute(data);
    // A conversation that cannot carry the execute has lost its server.
    // DDEML keeps such a conversation, as it cannot end it, and refuses every
    // new one on the topic: it goes with the link's instance. DDEML can also
    // go on reporting it as connected (a player closed and started again):
    // a kept conversation is opened afresh and the execute sent once more. A
    // server that answered (refused, or too late) is not asked twice.
    const auto broken = [](UINT e) {
        return e != DMLERR_NO_ERROR && e != DMLERR_NOTPROCESSED && e != DMLERR_EXECACKTIMEOUT;
    };
    if (broken(error)) {
        const bool kept = kept_;
        DropInstance();
        if (kept) {
            Connect();
            error = Execute(data);
            if (broken(error)) DropInstance();
        }
    }
    if (error == DMLERR_NO_ERROR) return;
    if (error == DMLERR_EXECACKTIMEOUT) throw RaisedError(286, "LinkExecute", "Timeout while waiting for DDE response");
    throw RaisedError(285, "LinkExecute", "Foreign application won't perform DDE method or operation");
}

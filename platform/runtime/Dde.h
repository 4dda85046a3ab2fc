// DDE conversations over DDEML, execute only. The program is a server under
// its file name without extension (App::EXEName): a conversation on a topic
// goes to the loaded form whose LinkTopic it is and whose LinkMode is 1, and
// each execute raises that form's Form_LinkExecute. A DdeClientLink is the
// client side a control carries (LinkTopic "App|Topic", LinkMode, LinkTimeout,
// LinkExecute).
#pragma once
#include <windows.h>
#include <ddeml.h>

#include <string>

namespace DdeServer {
// Registers the program's service name; later calls do nothing.
void Start();
}  // namespace DdeServer

class DdeClientLink {
public:
    DdeClientLink() = default;
    ~DdeClientLink();
    DdeClientLink(const DdeClientLink&) = delete;
    DdeClientLink& operator=(const DdeClientLink&) = delete;

    // "Application|Topic". Changing it closes an open conversation (LinkMode 0).
    const std::wstring& LinkTopic() const { return topic_; }
    void LinkTopic(const std::wstring& value);
    // 0 no link; 2 (manual) opens the conversation, raising error 282 when no
    // server answers, or keeps the one already open. 1 and 3 open it the same
    // way: no items are linked.
    int LinkMode() const { return mode_; }
    void LinkMode(int value);
    // Tenths of a second an execute may wait for its answer (default 50).
    int LinkTimeout() const { return timeout_; }
    void LinkTimeout(int tenths) { timeout_ = tenths; }
    // Sends `command` as an execute. A kept conversation that cannot carry it
    // is opened again (282 when nobody answers) and the execute sent once
    // more. Raises 285 when the server refuses it or no conversation is
    // open, 286 when the answer does not come in time.
    void LinkExecute(const std::wstring& command);

private:
    void Disconnect();
    // Ends the conversation and the instance, with whatever DDEML kept in it.
    void DropInstance();
    // Opens the conversation on LinkTopic; raises 282 (and the mode is 0) when nobody answers.
    void Connect();
    // The DDEML error of one execute (DMLERR_NO_ERROR when it was taken).
    UINT Execute(std::wstring& data);

    std::wstring topic_;
    int mode_ = 0;
    int timeout_ = 50;
    DWORD instance_ = 0;  // the link's DDEML instance, kept from one conversation to the next
    HCONV conv_ = nullptr;
    bool kept_ = false;   // conv_ was open before the last LinkMode
};

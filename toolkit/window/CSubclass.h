// Subclassing of any number of windows of this process by one object, with
// a "before" and an "after" message table per window; each listed message is
// reported through the WindowProc event. Misuse is reported to the
// application event log (ReportToEventLog), never raised.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

class CSubclass {
public:
    static constexpr int MSG_ENTRIES = 32;
    static constexpr LONG ALL_MESSAGES = -1;
    // Bit mask choosing the tables of ssc_AddMsg and ssc_DelMsg.
    enum eMsgWhen : long { MSG_BEFORE = 1, MSG_AFTER = 2, MSG_BEFORE_AND_AFTER = 3 };

    // bBefore: the window's own procedure has not run yet. A before handler
    // that sets bHandled supplies lReturn and keeps the procedure from
    // running; an after handler sees (and may change) the procedure's result.
    using WindowProcEvent = std::function<void(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND hWnd, UINT uMsg,
                                               WPARAM wParam, LPARAM lParam, LONG& lParamUser)>;
    WindowProcEvent WindowProc;

    CSubclass();
    ~CSubclass();  // unsubclasses every window of this object
    CSubclass(const CSubclass&) = delete;
    CSubclass& operator=(const CSubclass&) = delete;

    // Asks for one WM_MOUSELEAVE when the pointer leaves hWnd.
    void TrackMouseTracking(HWND hWnd);

    // nOrdinal 1 (the only routine there is) selects WindowProc; bIdeSafety
    // has no effect. bUnicode, when given and true, is replaced by whether
    // hWnd is a wide-character window and then selects the wide procedures;
    // otherwise the window is subclassed through the ANSI pair.
    bool ssc_Subclass(HWND hWnd, LONG lParamUser = 0, long nOrdinal = 1, bool bIdeSafety = true,
                      bool* bUnicode = nullptr, bool bIsAPIwindow = false);
    void ssc_Terminate();
    void ssc_UnSubclass(HWND hWnd);
    LRESULT ssc_CallOrigWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    // uMsg may be ALL_MESSAGES.
    void ssc_AddMsg(HWND hWnd, LONG uMsg, long When = MSG_AFTER);
    // Removes each whole-number argument (or ALL_MESSAGES); other arguments are skipped.
    template <class... Messages>
    void ssc_DelMsg(HWND hWnd, long When, Messages... messages) {
        HookRecord* record = zMap_VFunction(hWnd, false);
        if (!record) return;
        (DeleteIfWholeNumber(*record, When, messages), ...);
    }
    void zSet_lParamUser(HWND hWnd, LONG value);
    LONG zGet_lParamUser(HWND hWnd);

private:
    struct HookRecord;
    struct MsgTable;

    template <class M>
    static void DeleteIfWholeNumber(HookRecord& record, long When, const M& message) {
        if constexpr (std::is_integral_v<M>) zDelMsg(record, When, static_cast<LONG>(message));
    }
    static void zDelMsg(HookRecord& record, long When, LONG uMsg);
    static void zAddMsg(MsgTable& table, LONG uMsg);
    static LRESULT CALLBACK HookProc(HookRecord* record, UINT uMsg, WPARAM wParam, LPARAM lParam);
    static LRESULT Route(HookRecord* record, UINT uMsg, WPARAM wParam, LPARAM lParam);
    static void DisposeWhenIdle(HookRecord* record);

    // The record of hWnd; reports a missing key unless called while unsubclassing.
    HookRecord* zMap_VFunction(HWND hWnd, bool unsubclassing);
    void Forget(HookRecord* record);
    void Raise(bool bBefore, bool& bHandled, LRESULT& lReturn, HookRecord& record, UINT uMsg, WPARAM wParam,
               LPARAM lParam);

    // Created by the first ssc_Subclass that obtained hook memory; keyed by
    // the handle in decimal followed by "h", in the order of subclassing.
    std::optional<std::vector<std::pair<std::wstring, HookRecord*>>> records_;
    bool userExportsTrackMouseEvent_ = false;
};

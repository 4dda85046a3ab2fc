#include "CSubclass.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "EventLog.h"
#include "HandlerScope.h"

struct CSubclass::MsgTable {
    LONG count = 0;  // ALL_MESSAGES, or the number of slots in use (free slots hold 0)
    UINT slot[MSG_ENTRIES] = {};

    bool Lists(UINT uMsg) const {
        if (count == ALL_MESSAGES) return true;
        return uMsg != 0 && std::find(slot, slot + count, uMsg) != slot + count;
    }
};

// Lives in executable memory: its head is the window procedure the window is
// given, a thunk that puts the record in place of the window handle and
// jumps to HookProc, so one static routine serves every subclassed window.
struct CSubclass::HookRecord {
#pragma pack(push, 1)
#if defined(__x86_64__)
    struct Thunk {
        uint8_t movRcx[2] = {0x48, 0xB9};  // mov rcx, record (the first argument)
        HookRecord* record;
        uint8_t movRax[2] = {0x48, 0xB8};  // mov rax, HookProc
        void* target;
        uint8_t jmpRax[2] = {0xFF, 0xE0};  // jmp rax
        void Aim(HookRecord* r, void* proc) {
            record = r;
            target = proc;
        }
    } thunk;
#else
    struct Thunk {
        uint8_t movOpcode[4] = {0xC7, 0x44, 0x24, 0x04};  // mov dword ptr [esp+4], record
        HookRecord* record;
        uint8_t jmpOpcode = 0xE9;                          // jmp HookProc
        int32_t jmpOffset;
        void Aim(HookRecord* r, void* proc) {
            record = r;
            jmpOffset = static_cast<int32_t>(reinterpret_cast<intptr_t>(proc) - reinterpret_cast<intptr_t>(this + 1));
        }
    } thunk;
#endif
#pragma pack(pop)
    bool released = false;     // no longer reports; passes every message on
    bool windowGone = false;   // WM_NCDESTROY went through
    int depth = 0;             // calls of this procedure in progress
    HWND hWnd = nullptr;
    CSubclass* owner = nullptr;
    WNDPROC previous = nullptr;
    MsgTable before, after;
    LONG lParamUser = 0;
    bool unicode = false;

    WNDPROC Procedure() { return reinterpret_cast<WNDPROC>(&thunk); }
    LRESULT CallPrevious(UINT uMsg, WPARAM wParam, LPARAM lParam) {
        return unicode ? CallWindowProcW(previous, hWnd, uMsg, wParam, lParam)
                       : CallWindowProcA(previous, hWnd, uMsg, wParam, lParam);
    }
    LONG_PTR SetProcedure(WNDPROC proc) {
        const auto value = reinterpret_cast<LONG_PTR>(proc);
        return unicode ? SetWindowLongPtrW(hWnd, GWLP_WNDPROC, value) : SetWindowLongPtrA(hWnd, GWLP_WNDPROC, value);
    }
    bool IsCurrentProcedure() {
        const LONG_PTR current =
            unicode ? GetWindowLongPtrW(hWnd, GWLP_WNDPROC) : GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
        return current == reinterpret_cast<LONG_PTR>(Procedure());
    }
};

namespace {

const wchar_t kClassName[] = L"CSubclass";

void zError(const wchar_t* routine, const std::wstring& message) {
    ReportToEventLog(std::wstring(kClassName) + L"." + routine + L": " + message);
}

std::wstring KeyOf(HWND hWnd) {
    return std::to_wstring(static_cast<LONG>(reinterpret_cast<LONG_PTR>(hWnd))) + L"h";
}

}  // namespace

CSubclass::CSubclass() {
    if (HMODULE user = LoadLibraryW(L"User32")) {
        userExportsTrackMouseEvent_ = GetProcAddress(user, "TrackMouseEvent") != nullptr;
        FreeLibrary(user);
    }
}

CSubclass::~CSubclass() { ssc_Terminate(); }

void CSubclass::TrackMouseTracking(HWND hWnd) {
    TRACKMOUSEEVENT request{sizeof request, TME_LEAVE, hWnd, 0};
    if (userExportsTrackMouseEvent_)
        TrackMouseEvent(&request);
    else
        _TrackMouseEvent(&request);
}

bool CSubclass::ssc_Subclass(HWND hWnd, LONG lParamUser, long nOrdinal, bool bIdeSafety, bool* bUnicode,
                             bool bIsAPIwindow) {
    const wchar_t routine[] = L"ssc_Subclass";
    if (!IsWindow(hWnd)) {
        zError(routine, L"Invalid window handle");
        return false;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid != GetCurrentProcessId()) {
        zError(routine, L"Window handle belongs to another process");
        return false;
    }
    if (nOrdinal != 1) {
        zError(routine, L"Callback method not found");
        return false;
    }
    // Taken here, for this window only, after the checks: a refusal is
    // reported with the error the allocation itself left.
    void* memory = VirtualAlloc(nullptr, sizeof(HookRecord), MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
    if (!memory) {
        const DWORD error = GetLastError();
        zError(routine, L"VirtualAlloc failed, error: " + std::to_wstring(error));
        return false;
    }
    if (!records_) records_.emplace();
    const std::wstring key = KeyOf(hWnd);
    for (const auto& entry : *records_)
        if (entry.first == key) {
            zError(routine, L"Window handle is already subclassed");
            VirtualFree(memory, 0, MEM_RELEASE);
            return false;
        }
    auto* record = new (memory) HookRecord;
    records_->emplace_back(key, record);
    record->thunk.Aim(record, reinterpret_cast<void*>(&HookProc));
    FlushInstructionCache(GetCurrentProcess(), &record->thunk, sizeof record->thunk);
    record->hWnd = hWnd;
    record->owner = this;
    record->lParamUser = lParamUser;
    if (bUnicode && *bUnicode) *bUnicode = IsWindowUnicode(hWnd) != FALSE;
    record->unicode = bUnicode && *bUnicode;

    SetLastError(0);
    record->previous = reinterpret_cast<WNDPROC>(record->SetProcedure(record->Procedure()));
    if (!record->previous) {
        const DWORD error = GetLastError();
        zError(routine, L"SetWindowLong failed, error #" + std::to_wstring(error));
        if (record->IsCurrentProcedure()) record->SetProcedure(nullptr);
        records_->pop_back();
        record->~HookRecord();
        VirtualFree(memory, 0, MEM_RELEASE);
        return false;
    }
    return true;
}

void CSubclass::ssc_Terminate() {
    if (!records_) return;
    const auto entries = *records_;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) ssc_UnSubclass(it->second->hWnd);
    records_.reset();
}

void CSubclass::ssc_UnSubclass(HWND hWnd) {
    HookRecord* record = zMap_VFunction(hWnd, true);
    if (!record) return;
    record->released = true;
    record->before.count = 0;
    record->after.count = 0;
    Forget(record);
    DisposeWhenIdle(record);
}

LRESULT CSubclass::ssc_CallOrigWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    HookRecord* record = zMap_VFunction(hWnd, false);
    return record ? record->CallPrevious(uMsg, wParam, lParam) : 0;
}

void CSubclass::ssc_AddMsg(HWND hWnd, LONG uMsg, long When) {
    HookRecord* record = zMap_VFunction(hWnd, false);
    if (!record) return;
    if (When & MSG_BEFORE) zAddMsg(record->before, uMsg);
    if (When & MSG_AFTER) zAddMsg(record->after, uMsg);
}

void CSubclass::zSet_lParamUser(HWND hWnd, LONG value) {
    if (HookRecord* record = zMap_VFunction(hWnd, false)) record->lParamUser = value;
}

LONG CSubclass::zGet_lParamUser(HWND hWnd) {
    HookRecord* record = zMap_VFunction(hWnd, false);
    return record ? record->lParamUser : 0;
}

void CSubclass::zAddMsg(MsgTable& table, LONG uMsg) {
    if (uMsg == ALL_MESSAGES) {
        table.count = ALL_MESSAGES;
        return;
    }
    const LONG count = table.count == ALL_MESSAGES ? 0 : table.count;
    table.count = count;
    UINT* const end = table.slot + count;
    // A message already listed anywhere stays listed once, even when a free
    // slot lies before it.
    if (std::find(table.slot, end, static_cast<UINT>(uMsg)) != end) return;
    if (UINT* const free = std::find(table.slot, end, 0u); free != end) {
        *free = static_cast<UINT>(uMsg);
        return;
    }
    if (count == MSG_ENTRIES) {
        zError(L"zAddMsg",
               L"Message table overflow. Either increase the value of Const MSG_ENTRIES or use ALL_MESSAGES "
               L"instead of specific message values");
        return;
    }
    table.slot[count] = static_cast<UINT>(uMsg);
    table.count = count + 1;
}

void CSubclass::zDelMsg(HookRecord& record, long When, LONG uMsg) {
    for (MsgTable* table : {(When & MSG_BEFORE) ? &record.before : nullptr, (When & MSG_AFTER) ? &record.after : nullptr}) {
        if (!table) continue;
        if (uMsg == ALL_MESSAGES) {
            table->count = 0;
            continue;
        }
        for (LONG i = 0; i < table->count; ++i)
            if (table->slot[i] == static_cast<UINT>(uMsg)) {
                table->slot[i] = 0;
                break;
            }
    }
}

CSubclass::HookRecord* CSubclass::zMap_VFunction(HWND hWnd, bool unsubclassing) {
    if (!records_) {
        zError(L"zMap_VFunction", L"Thunk hasn't been initialized");
        return nullptr;
    }
    if (records_->empty()) return nullptr;
    const std::wstring key = KeyOf(hWnd);
    for (const auto& entry : *records_)
        if (entry.first == key) return entry.second;
    // The key is left out of the text, as the report has always read.
    if (!unsubclassing) zError(L"zMap_VFunction", L"Thunk type for  does not exist");
    return nullptr;
}

void CSubclass::Forget(HookRecord* record) {
    if (!records_) return;
    auto& entries = *records_;
    entries.erase(std::remove_if(entries.begin(), entries.end(), [&](const auto& e) { return e.second == record; }),
                  entries.end());
}

void CSubclass::Raise(bool bBefore, bool& bHandled, LRESULT& lReturn, HookRecord& record, UINT uMsg, WPARAM wParam,
                      LPARAM lParam) {
    if (!WindowProc) return;
    try {
        WindowProc(bBefore, bHandled, lReturn, record.hWnd, uMsg, wParam, lParam, record.lParamUser);
    } catch (...) {
        // A handler's failure must not unwind through the system's dispatcher.
    }
}

LRESULT CSubclass::Route(HookRecord* record, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    bool handled = false;
    LRESULT result = 0;
    if (!record->released && record->before.Lists(uMsg))
        record->owner->Raise(true, handled, result, *record, uMsg, wParam, lParam);
    if (!handled) result = record->CallPrevious(uMsg, wParam, lParam);
    // A handler may have unsubclassed the window, or ended the owner.
    if (!record->released && record->after.Lists(uMsg))
        record->owner->Raise(false, handled, result, *record, uMsg, wParam, lParam);
    return result;
}

LRESULT CALLBACK CSubclass::HookProc(HookRecord* record, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    const HandlerScope scope;
    ++record->depth;
    const LRESULT result = Route(record, uMsg, wParam, lParam);
    --record->depth;
    if (uMsg == WM_NCDESTROY) {
        record->windowGone = true;
        if (!record->released) {
            // The window is gone: its record leaves the owner's collection.
            record->released = true;
            record->owner->Forget(record);
        }
    }
    if (record->released) DisposeWhenIdle(record);
    return result;
}

// A released record is freed once no call of it is in progress and the
// window no longer calls it: either the window is gone, or the record is
// still the window's procedure and hands that back. A record that a later
// subclasser has covered stays as a pass-through link until the window ends.
void CSubclass::DisposeWhenIdle(HookRecord* record) {
    if (record->depth > 0) return;
    if (!record->windowGone && IsWindow(record->hWnd)) {
        if (!record->IsCurrentProcedure()) return;
        record->SetProcedure(record->previous);
    }
    record->~HookRecord();
    VirtualFree(record, 0, MEM_RELEASE);
}

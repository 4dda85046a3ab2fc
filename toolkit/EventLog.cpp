#include "EventLog.h"

#include <windows.h>

namespace {

// The source is named after the program file, as the log lists it.
std::wstring SourceName() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, n);
    name = name.substr(name.find_last_of(L"\\/") + 1);
    return name.substr(0, name.find_last_of(L'.'));
}

void WriteApplicationLog(const std::wstring& text) {
    HANDLE source = RegisterEventSourceW(nullptr, SourceName().c_str());
    if (!source) return;
    const wchar_t* strings[] = {text.c_str()};
    ReportEventW(source, EVENTLOG_ERROR_TYPE, 0, 0, nullptr, 1, 0, strings, nullptr);
    DeregisterEventSource(source);
}

EventLogSink& Sink() {
    static EventLogSink sink;
    return sink;
}

}  // namespace

void ReportToEventLog(const std::wstring& text) {
    if (Sink())
        Sink()(text);
    else
        WriteApplicationLog(text);
}

EventLogSink SetEventLogSink(EventLogSink sink) {
    EventLogSink previous = std::move(Sink());
    Sink() = std::move(sink);
    return previous;
}

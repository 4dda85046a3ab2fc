#include "EventLog.h"

#include <windows.h>

#include "App.h"

namespace {

void WriteApplicationLog(const std::wstring& text) {
    // The source is named after the program file, as the log lists it.
    HANDLE source = RegisterEventSourceW(nullptr, App::EXEName().c_str());
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

// The application event log: the toolkit's only diagnostic output. Every
// report goes through ReportToEventLog, whose destination can be replaced
// (tests record the texts instead of writing to the system's log).
#pragma once
#include <functional>
#include <string>

using EventLogSink = std::function<void(const std::wstring& text)>;

// Writes one error entry with this text to the destination in force.
void ReportToEventLog(const std::wstring& text);

// Replaces the destination; an empty sink restores the system's
// Application log. Returns the previous destination.
EventLogSink SetEventLogSink(EventLogSink sink);

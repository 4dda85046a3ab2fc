// What the running program knows about itself: its folder and file name, its
// title, whether another instance runs, its command line, and its end.
#pragma once
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace App {
// Folder of the program file, without a trailing "\" (except at a drive root).
std::wstring Path();
// File name of the program without its extension ("Orvane" for Orvane.exe).
std::wstring EXEName();
// Title of message boxes; EXEName unless set.
std::wstring Title();
void Title(const std::wstring& value);
// True when another process of the same program file name runs. The first
// call creates a named mutex that the later processes see; the answer is kept.
bool PrevInstance();
// Dispatches this thread's messages until no form is loaded.
void Run();
// Dispatches the messages that are waiting, then returns.
void DoEvents();
}  // namespace App

// The command line's arguments: everything after the program's own name,
// without the blanks that follow it.
std::wstring Command();
// Splits a whole command line the same way (for tests).
std::wstring CommandArguments(const std::wstring& commandLine);

// Ends the program at once: no unload handlers run. Goes through EndHook,
// which a test may replace; its default ends the process with code 0.
void End();
std::function<void()>& EndHook();

// Ends the program (End, from a thread of its own) unless destroyed within
// `ms`: a step that waits on another program, which may never answer,
// cannot keep this one alive.
class EndUnlessDone {
public:
    explicit EndUnlessDone(unsigned long ms);
    ~EndUnlessDone();
    EndUnlessDone(const EndUnlessDone&) = delete;
    EndUnlessDone& operator=(const EndUnlessDone&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable doneChanged_;
    bool done_ = false;
    std::thread watch_;
};

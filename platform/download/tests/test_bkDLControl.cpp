// The download control against a local HTTP server: files, progress, error
// codes, cancelling, and what is left in the target folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "Pump.h"
#include "TempDir.h"
#include "TestHttpServer.h"
#include "bkDLControl.h"

namespace {

struct Event {
    std::string kind;  // "size", "progress", "complete", "error"
    float fraction = 0;
    long a = 0, b = 0;
    std::wstring detail;
    DWORD thread = 0;
};

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring n = fd.cFileName;
        if (n != L"." && n != L"..") names.push_back(n);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    return names;
}

std::string ReadAll(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteText(const std::wstring& path, const std::string& text) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << text;
}

std::string Pattern(size_t size) {
    std::string body(size, '\0');
    for (size_t i = 0; i < size; ++i) body[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
    return body;
}

class DownloadControl : public ::testing::Test {
protected:
    DownloadControl() : control(std::make_unique<bkDLControl>()) { Attach(*control); }

    void Attach(bkDLControl& c) {
        c.DownSize = [this](long size) { events.push_back({"size", 0, size, 0, L"", GetCurrentThreadId()}); };
        c.DownProgress = [this](float f, long speed, long size) {
            events.push_back({"progress", f, speed, size, L"", GetCurrentThreadId()});
            if (onProgress) onProgress(f);
        };
        c.DownComplete = [this](long size) {
            events.push_back({"complete", 0, size, 0, L"", GetCurrentThreadId()});
        };
        c.DownError = [this](long code, const std::wstring& detail) {
            events.push_back({"error", 0, code, 0, detail, GetCurrentThreadId()});
        };
    }

    void Start(const std::string& path, const std::wstring& folder) {
        control->Url(server.BaseUrlW() + std::wstring(path.begin(), path.end()));
        control->SavePath(folder + L"\\");
        control->StartDown();
    }

    size_t Count(const std::string& kind) const {
        size_t n = 0;
        for (const Event& e : events) n += e.kind == kind;
        return n;
    }
    size_t Endings() const { return Count("complete") + Count("error"); }
    bool WaitForEnding(DWORD ms = 10000) {
        return PumpUntil([this] { return Endings() > 0; }, ms);
    }
    void ExpectOneError(long code, const wchar_t* text) {
        ASSERT_TRUE(WaitForEnding());
        PumpFor(200);
        ASSERT_EQ(Endings(), 1u);
        EXPECT_EQ(events.back().kind, "error");
        EXPECT_EQ(events.back().a, code);
        EXPECT_EQ(events.back().detail, text);
        EXPECT_TRUE(FilesIn(dir.Path()).empty());
    }

    TestHttpServer server;
    TempDir dir;
    std::unique_ptr<bkDLControl> control;
    std::vector<Event> events;
    std::function<void(float)> onProgress;
};

TEST_F(DownloadControl, SmallFileArrivesUnderTheLastSegmentOfTheAddress) {
    server.Route("/img/abc.jpg", TestHttpServer::Text("thumbnail", "image/jpeg"));
    Start("/img/abc.jpg", dir.Path());
    ASSERT_TRUE(WaitForEnding());
    PumpFor(200);

    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].kind, "size");
    EXPECT_EQ(events[0].a, 9);
    EXPECT_EQ(events[1].kind, "progress");
    EXPECT_FLOAT_EQ(events[1].fraction, 1.0f);
    EXPECT_EQ(events[1].b, 9);
    EXPECT_EQ(events[2].kind, "complete");
    EXPECT_EQ(events[2].a, 9);
    for (const Event& e : events) EXPECT_EQ(e.thread, GetCurrentThreadId());
    EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::wstring>{L"abc.jpg"});
    EXPECT_EQ(ReadAll(dir.File(L"abc.jpg")), "thumbnail");
}

// A name given beforehand is the file's, whatever the address ends with;
// the address's fragment is the client's and never goes to the server.
TEST_F(DownloadControl, AGivenNameNamesTheFileAndTheFragmentStaysHome) {
    server.Route("/img/a*b<c>.jpg", TestHttpServer::Text("thumbnail", "image/jpeg"));
    control->FileName(L"download");
    Start("/img/a*b<c>.jpg?v=2#top", dir.Path());
    ASSERT_TRUE(WaitForEnding());
    EXPECT_EQ(events.back().kind, "complete");
    EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::wstring>{L"download"});
    EXPECT_EQ(ReadAll(dir.File(L"download")), "thumbnail");
    ASSERT_EQ(server.Requests().size(), 1u);
    EXPECT_EQ(server.Requests()[0].target, "/img/a*b<c>.jpg?v=2");
}

// Bytes a server writes after its reply belong to no request: the next
// download from the same server gets its own reply, not those.
TEST_F(DownloadControl, BytesLeftOnAConnectionAreNotTakenForTheNextDownload) {
    const std::string left = "LEFT OVER from the reply before";
    HttpResponse first = TestHttpServer::Text(std::string(400, 'a'), "image/jpeg");
    first.lateReply = "HTTP/1.1 200 OK\r\nContent-Type: image/jpeg\r\nContent-Length: " + std::to_string(left.size()) +
                      "\r\n\r\n" + left;
    server.Route("/first.jpg", first);
    server.Route("/second.jpg", TestHttpServer::Text("second", "image/jpeg"));
    Start("/first.jpg", dir.Path());
    ASSERT_TRUE(WaitForEnding());
    ASSERT_TRUE(PumpUntil([&] { return server.Answering() == 0; }));
    events.clear();
    Start("/second.jpg", dir.Path());
    ASSERT_TRUE(WaitForEnding());
    EXPECT_EQ(events.back().kind, "complete");
    EXPECT_EQ(ReadAll(dir.File(L"second.jpg")), "second");
    EXPECT_EQ(server.RequestCount("/second.jpg"), 1u);
}

TEST_F(DownloadControl, LargeFileReportsRisingProgressAndGetsItsNameOnlyWhenComplete) {
    const std::string body = Pattern(40 * 65536 + 123);
    HttpResponse slow = TestHttpServer::Text(body, "application/x-shockwave-flash");
    slow.chunkDelayMs = 25;
    server.Route("/swf/big.swf", slow);
    bool finalNameSeenEarly = false;
    onProgress = [&](float f) {
        if (f < 1.0f && GetFileAttributesW(dir.File(L"big.swf").c_str()) != INVALID_FILE_ATTRIBUTES)
            finalNameSeenEarly = true;
    };
    Start("/swf/big.swf", dir.Path());
    ASSERT_TRUE(WaitForEnding(20000));
    PumpFor(200);

    EXPECT_FALSE(finalNameSeenEarly);
    ASSERT_EQ(events.front().kind, "size");
    EXPECT_EQ(events.front().a, static_cast<long>(body.size()));
    ASSERT_EQ(events.back().kind, "complete");
    EXPECT_EQ(events.back().a, static_cast<long>(body.size()));
    EXPECT_EQ(Endings(), 1u);
    EXPECT_GE(Count("progress"), 5u);
    float lastFraction = 0;
    long lastSize = 0, fastest = 0;
    for (const Event& e : events) {
        if (e.kind != "progress") continue;
        EXPECT_GE(e.fraction, lastFraction);
        EXPECT_LE(e.fraction, 1.0f);
        EXPECT_GE(e.b, lastSize);
        lastFraction = e.fraction;
        lastSize = e.b;
        fastest = std::max(fastest, e.a);
    }
    EXPECT_FLOAT_EQ(lastFraction, 1.0f);
    EXPECT_EQ(lastSize, static_cast<long>(body.size()));
    EXPECT_GT(fastest, 0);
    EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::wstring>{L"big.swf"});
    EXPECT_EQ(ReadAll(dir.File(L"big.swf")), body);
}

TEST_F(DownloadControl, NeverReplacesAFileAlreadyUnderTheName) {
    // Not the download's file: it stays, whatever the letter case of its name.
    WriteText(dir.File(L"ABC.jpg"), "old contents");
    server.Route("/abc.jpg", TestHttpServer::Text("new", "image/jpeg"));
    Start("/abc.jpg", dir.Path());
    ASSERT_TRUE(WaitForEnding());
    PumpFor(200);
    ASSERT_EQ(Endings(), 1u);
    EXPECT_EQ(events.back().kind, "error");
    EXPECT_EQ(events.back().a, kDownSaveFailed);
    EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::wstring>{L"ABC.jpg"});
    EXPECT_EQ(ReadAll(dir.File(L"ABC.jpg")), "old contents");
}

TEST_F(DownloadControl, ADownloadPastItsBoundIsNotDownloadableAndLeavesNoFile) {
    control->MaxSize(1 << 20);
    HttpResponse endless = TestHttpServer::Text(Pattern(65536), "image/jpeg");
    endless.endless = true;  // no length, no end
    server.Route("/endless.jpg", endless);
    Start("/endless.jpg", dir.Path());
    ExpectOneError(kDownNotDownloadable, L"不可下载文件");

    // A length announced past the bound is refused before anything is written.
    events.clear();
    server.Route("/big.jpg", TestHttpServer::Text(Pattern((1 << 20) + 1), "image/jpeg"));
    Start("/big.jpg", dir.Path());
    ExpectOneError(kDownNotDownloadable, L"不可下载文件");
    EXPECT_EQ(Count("size"), 0u);

    events.clear();
    server.Route("/fits.jpg", TestHttpServer::Text(Pattern(1 << 20), "image/jpeg"));
    Start("/fits.jpg", dir.Path());
    ASSERT_TRUE(WaitForEnding());
    EXPECT_EQ(events.back().kind, "complete");
    EXPECT_EQ(ReadAll(dir.File(L"fits.jpg")), Pattern(1 << 20));
}

TEST_F(DownloadControl, UrlAndSavePathAreReadWhenTheDownloadStarts) {
    TempDir other;
    HttpResponse r = TestHttpServer::Text("data", "image/jpeg");
    r.delayMs = 200;
    server.Route("/a.jpg", r);
    Start("/a.jpg", dir.Path());
    control->Url(server.BaseUrlW() + L"/b.jpg");
    control->SavePath(other.Path() + L"\\");
    ASSERT_TRUE(WaitForEnding());
    EXPECT_EQ(events.back().kind, "complete");
    EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::wstring>{L"a.jpg"});
    EXPECT_TRUE(FilesIn(other.Path()).empty());
}

TEST_F(DownloadControl, FollowsARedirectAndNamesTheFileAfterTheAddressAsked) {
    server.Route("/old/game.swf", TestHttpServer::Redirect("/new/moved.swf"));
    server.Route("/new/moved.swf", TestHttpServer::Text("FWS...", "application/x-shockwave-flash"));
    Start("/old/game.swf", dir.Path());
    ASSERT_TRUE(WaitForEnding());
    EXPECT_EQ(events.back().kind, "complete");
    EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::wstring>{L"game.swf"});
}

TEST_F(DownloadControl, ErrorStatusesAreNotDownloadable) {
    server.Route("/boom.jpg", [](const HttpRequest&) {
        HttpResponse r = TestHttpServer::Text("server error");
        r.status = 500;
        return r;
    });
    Start("/missing.jpg", dir.Path());  // 404
    ExpectOneError(kDownNotDownloadable, L"不可下载文件");
    events.clear();
    Start("/boom.jpg", dir.Path());
    ExpectOneError(kDownNotDownloadable, L"不可下载文件");
}

TEST_F(DownloadControl, ARedirectThatCannotBeFollowedIsReported) {
    HttpResponse r;
    r.status = 302;  // no Location to go to
    server.Route("/nowhere.swf", r);
    Start("/nowhere.swf", dir.Path());
    ExpectOneError(kDownRedirect, L"重定向");
}

TEST_F(DownloadControl, AnEmptyBodyIsNoFile) {
    server.Route("/empty.jpg", TestHttpServer::Text("", "image/jpeg"));
    Start("/empty.jpg", dir.Path());
    ExpectOneError(kDownNoBytes, L"没有字节返回");
}

TEST_F(DownloadControl, AnAddressEndingInASlashNamesNoFile) {
    server.Route("/dir/", TestHttpServer::Text("listing"));
    Start("/dir/", dir.Path());
    ExpectOneError(kDownNotDownloadable, L"不可下载文件");
}

TEST_F(DownloadControl, ANameLeadingOutOfTheFolderIsRefusedUnfetched) {
    const std::wstring inner = dir.File(L"inner");
    CreateDirectoryW(inner.c_str(), nullptr);
    server.Route("/x/escape.jpg", TestHttpServer::Text("data", "image/jpeg"));
    control->Url(server.BaseUrlW() + L"/x/..\\escape.jpg");
    control->SavePath(inner + L"\\");
    control->StartDown();
    ASSERT_TRUE(WaitForEnding());
    EXPECT_EQ(events.back().a, kDownNotDownloadable);
    EXPECT_EQ(server.Requests().size(), 0u);
    EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::wstring>{L"inner"});
    EXPECT_TRUE(FilesIn(inner).empty());
}

TEST_F(DownloadControl, AFolderThatCannotTakeTheFileIsASaveError) {
    server.Route("/a.jpg", TestHttpServer::Text("data", "image/jpeg"));
    Start("/a.jpg", dir.File(L"missing"));
    ExpectOneError(kDownSaveFailed, L"文件保存错误");
    events.clear();
    WriteText(dir.File(L"plainfile"), "x");
    Start("/a.jpg", dir.File(L"plainfile"));
    ASSERT_TRUE(WaitForEnding());
    EXPECT_EQ(events.back().a, kDownSaveFailed);
    EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::wstring>{L"plainfile"});
}

TEST_F(DownloadControl, ANameTheFolderRefusesIsASaveErrorWithNoFileLeft) {
    server.Route("/a*b.jpg", TestHttpServer::Text("data", "image/jpeg"));
    Start("/a*b.jpg", dir.Path());
    ExpectOneError(kDownSaveFailed, L"文件保存错误");
}

TEST_F(DownloadControl, NoServerIsAnUnknownError) {
    std::wstring deadUrl;
    {
        TestHttpServer gone;
        deadUrl = gone.BaseUrlW() + L"/a.jpg";
    }
    control->Url(deadUrl);
    control->SavePath(dir.Path() + L"\\");
    control->StartDown();
    ExpectOneError(kDownUnknown, L"不明错误");
}

TEST(DownloadControlAlone, ATransferCutShortIsAnErrorAndLeavesNoFile) {
    TempDir dir;
    auto server = std::make_unique<TestHttpServer>();
    HttpResponse slow = TestHttpServer::Text(Pattern(30 * 65536), "application/x-shockwave-flash");
    slow.chunkDelayMs = 50;
    server->Route("/cut.swf", slow);
    bkDLControl control;
    std::vector<long> errors;
    int completes = 0;
    control.DownComplete = [&](long) { ++completes; };
    control.DownError = [&](long code, const std::wstring&) { errors.push_back(code); };
    bool cut = false;
    control.DownProgress = [&](float, long, long) { cut = true; };
    control.Url(server->BaseUrlW() + L"/cut.swf");
    control.SavePath(dir.Path() + L"\\");
    control.StartDown();
    ASSERT_TRUE(PumpUntil([&] { return cut; }));
    server.reset();  // closes the connection in the middle of the body
    ASSERT_TRUE(PumpUntil([&] { return !errors.empty() || completes; }, 10000));
    PumpFor(200);
    EXPECT_EQ(completes, 0);
    EXPECT_EQ(errors, std::vector<long>{kDownUnknown});
    EXPECT_TRUE(FilesIn(dir.Path()).empty());
}

TEST_F(DownloadControl, StopDownIsQuietAndLeavesNoFile) {
    HttpResponse slow = TestHttpServer::Text(Pattern(60 * 65536), "application/x-shockwave-flash");
    slow.chunkDelayMs = 40;
    server.Route("/slow.swf", slow);
    Start("/slow.swf", dir.Path());
    ASSERT_TRUE(PumpUntil([this] { return Count("progress") > 0; }));
    EXPECT_FALSE(FilesIn(dir.Path()).empty());  // the temporary file is being written
    control->StopDown();
    EXPECT_TRUE(FilesIn(dir.Path()).empty()) << "the temporary file goes with the call";
    const size_t seen = events.size();
    PumpFor(500);
    EXPECT_EQ(events.size(), seen);
    EXPECT_TRUE(FilesIn(dir.Path()).empty());
    EXPECT_EQ(events.size(), seen);
}

TEST_F(DownloadControl, StopDownReturnsAtOnceWhileTheServerIsSilent) {
    HttpResponse silent;
    silent.neverAnswer = true;
    server.Route("/hang.jpg", silent);
    Start("/hang.jpg", dir.Path());
    ASSERT_TRUE(PumpUntil([this] { return server.RequestCount("/hang.jpg") > 0; }));
    const DWORD before = GetTickCount();
    control->StopDown();
    EXPECT_LT(GetTickCount() - before, 1000u);  // the fetch itself would wait 30 s
    PumpFor(300);
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(FilesIn(dir.Path()).empty());
}

TEST_F(DownloadControl, ASecondStartCancelsTheFirst) {
    HttpResponse slow = TestHttpServer::Text(Pattern(60 * 65536), "application/x-shockwave-flash");
    slow.chunkDelayMs = 40;
    server.Route("/first.swf", slow);
    server.Route("/second.jpg", TestHttpServer::Text("second", "image/jpeg"));
    Start("/first.swf", dir.Path());
    ASSERT_TRUE(PumpUntil([this] { return Count("progress") > 0; }));
    events.clear();
    Start("/second.jpg", dir.Path());
    ASSERT_TRUE(WaitForEnding());
    EXPECT_TRUE(PumpUntil([this] { return FilesIn(dir.Path()).size() == 1; }, 5000));
    PumpFor(300);
    EXPECT_EQ(Endings(), 1u);
    EXPECT_EQ(events.back().kind, "complete");
    EXPECT_EQ(events.back().a, 6);
    for (const Event& e : events) EXPECT_NE(e.b, 60 * 65536);  // nothing of the first one
    EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::wstring>{L"second.jpg"});
}

TEST_F(DownloadControl, DestroyingTheControlMidTransferCancelsIt) {
    HttpResponse slow = TestHttpServer::Text(Pattern(60 * 65536), "application/x-shockwave-flash");
    slow.chunkDelayMs = 40;
    server.Route("/slow.swf", slow);
    Start("/slow.swf", dir.Path());
    ASSERT_TRUE(PumpUntil([this] { return Count("progress") > 0; }));
    const size_t seen = events.size();
    control.reset();
    EXPECT_TRUE(FilesIn(dir.Path()).empty());
    PumpFor(300);
    EXPECT_EQ(events.size(), seen);
}

TEST_F(DownloadControl, AHandlerMayDestroyTheControlAndStartAnother) {
    server.Route("/a.jpg", TestHttpServer::Text("aaaa", "image/jpeg"));
    server.Route("/b.jpg", TestHttpServer::Text("bbbb", "image/jpeg"));
    std::unique_ptr<bkDLControl> next;
    control->DownComplete = [&](long) {
        control.reset();  // as a page unloading itself on completion
        next = std::make_unique<bkDLControl>();
        Attach(*next);
        next->Url(server.BaseUrlW() + L"/b.jpg");
        next->SavePath(dir.Path() + L"\\");
        next->StartDown();
    };
    Start("/a.jpg", dir.Path());
    ASSERT_TRUE(PumpUntil([&] { return Count("complete") == 1; }));
    EXPECT_EQ(control, nullptr);
    EXPECT_EQ(ReadAll(dir.File(L"a.jpg")), "aaaa");
    EXPECT_EQ(ReadAll(dir.File(L"b.jpg")), "bbbb");
}

}  // namespace

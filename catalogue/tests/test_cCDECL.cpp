// The call bridge against real libraries: two builds of a probe library,
// kernel32 for the last-error capture, and a callback entry called from C.
#include <gtest/gtest.h>
#include <windows.h>

#include "RaisedError.h"
#include "cCDECL.h"

namespace {

std::wstring ProbePath(int id) {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring dir(exe);
    return dir.substr(0, dir.find_last_of(L'\\') + 1) + L"bridge_probe" + std::to_wstring(id) + L".dll";
}

// The probe's exports return a C int: only the low 32 bits carry it.
int32_t I(intptr_t word) { return static_cast<int32_t>(word); }

template <class F>
RaisedError Raised(F&& f) {
    try {
        f();
    } catch (const RaisedError& e) {
        return e;
    }
    ADD_FAILURE() << "nothing raised";
    return RaisedError(0, "", "");
}

TEST(cCDECL, PassesArgumentsInOrderUpToSixteen) {
    cCDECL bridge;
    ASSERT_TRUE(bridge.DllLoad(ProbePath(1)));
    EXPECT_EQ(I(bridge.CallFunc("ProbeId")), 1);  // no arguments at all
    EXPECT_EQ(I(bridge.CallFunc("Record", {16, -2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0x7FFFFFFF})),
              16001);
    for (int i = 1; i < 15; ++i) EXPECT_EQ(I(bridge.CallFunc("Seen", {i})), i == 1 ? -2 : i + 1);
    EXPECT_EQ(I(bridge.CallFunc("Seen", {15})), 0x7FFFFFFF);
    // Repeated calls keep the stack balanced whatever the count.
    for (int n = 0; n < 200; ++n) bridge.CallFunc("Record", {3, 1, 2});
    EXPECT_EQ(I(bridge.CallFunc("Seen", {2})), 2);
}

TEST(cCDECL, RaisesItsThreeErrorsWithoutCalling) {
    cCDECL bridge;
    RaisedError e = Raised([&] { bridge.CallFunc("ProbeId"); });
    EXPECT_EQ(e.Number(), 0x80040000u);
    EXPECT_EQ(e.Source(), "cCDECL");
    EXPECT_EQ(e.Description(), "DLL not loaded");

    ASSERT_TRUE(bridge.DllLoad(ProbePath(1)));
    e = Raised([&] { bridge.CallFunc("NoSuchExport"); });
    EXPECT_EQ(e.Number(), 0x80040001u);
    EXPECT_EQ(e.Description(), "Failed to locate function: NoSuchExport");

    bridge.CallFunc("Record", {1, 0});
    e = Raised([&] { bridge.CallFunc("Record", {17, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}); });
    EXPECT_EQ(e.Number(), 0x80040002u);
    EXPECT_EQ(e.Description(), "Too many parameters");
    EXPECT_EQ(I(bridge.CallFunc("Seen", {0})), 1) << "the 17-argument call must not have run";

    // An unknown name is reported before an excess of arguments.
    e = Raised([&] { bridge.CallFunc("Missing", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}); });
    EXPECT_EQ(e.Number(), 0x80040001u);

    EXPECT_TRUE(bridge.DllUnload());
    EXPECT_FALSE(bridge.DllUnload()) << "nothing left to unload";
    e = Raised([&] { bridge.CallFunc("ProbeId"); });
    EXPECT_EQ(e.Number(), 0x80040000u);
}

TEST(cCDECL, AFailedLookupKeepsThePreviousExportCallable) {
    cCDECL bridge;
    ASSERT_TRUE(bridge.DllLoad(ProbePath(1)));
    EXPECT_EQ(I(bridge.CallFunc("ProbeId")), 1);
    EXPECT_EQ(Raised([&] { bridge.CallFunc("NoSuchExport"); }).Number(), 0x80040001u);
    // The same name as before the failure skips the lookup and still reaches its export.
    EXPECT_EQ(I(bridge.CallFunc("ProbeId")), 1);
    EXPECT_EQ(I(bridge.CallFunc("Record", {2, 5})), 2001);
    EXPECT_EQ(I(bridge.CallFunc("Seen", {1})), 5);
}

TEST(cCDECL, NewLibraryForcesANewLookupOfTheSameName) {
    cCDECL bridge;
    ASSERT_TRUE(bridge.DllLoad(ProbePath(1)));
    EXPECT_EQ(I(bridge.CallFunc("ProbeId")), 1);
    EXPECT_EQ(I(bridge.CallFunc("ProbeId")), 1);
    ASSERT_TRUE(bridge.DllLoad(ProbePath(2)));
    // A failed lookup does not count as the new library's lookup.
    EXPECT_EQ(Raised([&] { bridge.CallFunc("NoSuchExport"); }).Number(), 0x80040001u);
    EXPECT_EQ(I(bridge.CallFunc("ProbeId")), 2);
    EXPECT_FALSE(bridge.DllLoad(L"Z:\\no\\such\\library.dll"));
}

TEST(cCDECL, CapturesTheLastErrorOfTheCall) {
    cCDECL bridge;
    ASSERT_TRUE(bridge.DllLoad(L"kernel32.dll"));
    SetLastError(77);
    bridge.CallFunc("GetTickCount");
    EXPECT_EQ(bridge.LastError(), 0) << "cleared before the call";
    bridge.CallFunc("SetLastError", {1234});  // a __stdcall export: the entry still restores the stack
    EXPECT_EQ(bridge.LastError(), 1234);
}

int g_calls = 0;
int __stdcall Sum3(int a, int b, int c) {
    ++g_calls;
    return a * 100 + b * 10 + c;
}

TEST(cCDECL, CallbackEntryForwardsToAStdcallProcedure) {
    cCDECL bridge;
    ASSERT_TRUE(bridge.DllLoad(ProbePath(1)));
    const intptr_t entry = bridge.WrapCallback(reinterpret_cast<intptr_t>(&Sum3), 3);
    int stackKept = 0;
    EXPECT_EQ(I(bridge.CallFunc("CallBack3", {entry, 1, 2, 3, reinterpret_cast<intptr_t>(&stackKept)})), 246);
    EXPECT_EQ(g_calls, 2);
    EXPECT_EQ(stackKept, 1);
}

}  // namespace

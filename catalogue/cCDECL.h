// Bridge for calling C-convention exports of a library loaded at run time.
// Every argument and the result are one machine word (32 bits on i686);
// text and out-values are passed as addresses. On i686 calls go through
// machine code generated in an executable page; on x86_64, whose one calling
// convention needs no such entry, through a function pointer typed by count.
#pragma once
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class cCDECL {
public:
    static constexpr int kMaxParams = 16;
    static constexpr uint32_t kErrNotLoaded = 0x80040000;
    static constexpr uint32_t kErrNoFunction = 0x80040001;
    static constexpr uint32_t kErrTooMany = 0x80040002;

    // Argument count followed by the slots; slot 1 is the first C parameter.
    struct ParamBlock {
        intptr_t count = 0;
        intptr_t slots[kMaxParams] = {};
    };

    cCDECL();
    ~cCDECL();
    cCDECL(const cCDECL&) = delete;
    cCDECL& operator=(const cCDECL&) = delete;

    // Performs the call described by the block at nAddrParamBlock through the
    // generated call entry; CallFunc fills the block and calls this.
    intptr_t z_DO_NOT_CALL(intptr_t nAddrParamBlock);

    intptr_t CallFunc(std::string_view sFunction, std::initializer_list<intptr_t> ParmLongs = {});
    bool DllLoad(const std::wstring& sName);
    bool DllUnload();
    int32_t LastError() const { return lastError_; }

    // Entry callable with the C convention and nParms word arguments that
    // forwards them to the __stdcall procedure at nModFuncAddr. One object
    // offers one callback at a time: each call re-aims the same entry.
    intptr_t WrapCallback(intptr_t nModFuncAddr, int32_t nParms);

private:
    // The export's address in hLib: looked up once per library, as a caller
    // alternates between a few exports call after call.
    FARPROC Lookup(std::string_view name);

    HMODULE hLib = nullptr;
    FARPROC FuncAddr = nullptr;
    std::string LastFunc;
    bool DllChanged = false;
    uint8_t* CodePage = nullptr;
    ParamBlock ParamBlock_;
    int32_t lastError_ = 0;
    std::vector<std::pair<std::string, FARPROC>> found_;
};

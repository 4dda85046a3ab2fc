#include "cCDECL.h"

#include <cstring>

#include "RaisedError.h"

namespace {

// Call entry, __stdcall int entry(ParamBlock* pb): pushes slots count..1 so
// that slot 1 ends up as the first C argument, calls the target, then drops
// the arguments itself (the C convention leaves that to the caller).
constexpr uint8_t kCallCode[] = {
    0x55,                          // push ebp
    0x89, 0xE5,                    // mov  ebp, esp
    0x56,                          // push esi
    0x8B, 0x75, 0x08,              // mov  esi, [ebp+8]      ; pb
    0x8B, 0x0E,                    // mov  ecx, [esi]        ; count
    0x85, 0xC9,                    // test ecx, ecx
    0x74, 0x06,                    // jz   do_call
    0xFF, 0x34, 0x8E,              // push dword [esi+ecx*4] ; slot ecx
    0x49,                          // dec  ecx
    0x75, 0xFA,                    // jnz  push loop
    0xB8, 0, 0, 0, 0,              // do_call: mov eax, target
    0xFF, 0xD0,                    // call eax
    0x8D, 0x65, 0xFC,              // lea  esp, [ebp-4]
    0x5E,                          // pop  esi
    0x5D,                          // pop  ebp
    0xC2, 0x04, 0x00,              // ret  4
};
constexpr size_t kCallTarget = 20;  // offset of the target's imm32

// Callback entry, C convention: copies its arguments (byte size recorded at
// kCbSize) and calls a __stdcall target, which removes the copies itself.
constexpr uint8_t kCallbackCode[] = {
    0x55,                          // push ebp
    0x89, 0xE5,                    // mov  ebp, esp
    0xB9, 0, 0, 0, 0,              // mov  ecx, argument bytes
    0x85, 0xC9,                    // test ecx, ecx
    0x74, 0x09,                    // jz   do_call
    0xFF, 0x74, 0x0D, 0x04,        // push dword [ebp+ecx+4] ; last argument first
    0x83, 0xE9, 0x04,              // sub  ecx, 4
    0x75, 0xF7,                    // jnz  push loop
    0xB8, 0, 0, 0, 0,              // do_call: mov eax, target
    0xFF, 0xD0,                    // call eax
    0x5D,                          // pop  ebp
    0xC3,                          // ret
};
constexpr size_t kCbSize = 4;
constexpr size_t kCbTarget = 22;
constexpr size_t kCallbackOffset = 64;  // callback entry's place in the page

void PutImm32(uint8_t* at, uint32_t v) { std::memcpy(at, &v, sizeof v); }

const char kSource[] = "cCDECL";

}  // namespace

cCDECL::cCDECL() {
    CodePage = static_cast<uint8_t*>(
        VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    if (!CodePage) throw RaisedError(7, kSource, "Out of memory");
    std::memcpy(CodePage, kCallCode, sizeof kCallCode);
    std::memcpy(CodePage + kCallbackOffset, kCallbackCode, sizeof kCallbackCode);
}

cCDECL::~cCDECL() { VirtualFree(CodePage, 0, MEM_RELEASE); }

int32_t cCDECL::z_DO_NOT_CALL(intptr_t nAddrParamBlock) {
    return reinterpret_cast<CallEntry>(CodePage)(nAddrParamBlock);
}

int32_t cCDECL::CallFunc(std::string_view sFunction, std::initializer_list<intptr_t> ParmLongs) {
    if (!hLib) throw RaisedError(kErrNotLoaded, kSource, "DLL not loaded");
    if (sFunction != LastFunc || DllChanged) {
        const std::string name(sFunction);
        FuncAddr = GetProcAddress(hLib, name.c_str());
        if (!FuncAddr) throw RaisedError(kErrNoFunction, kSource, "Failed to locate function: " + name);
        PutImm32(CodePage + kCallTarget, reinterpret_cast<uint32_t>(FuncAddr));
        FlushInstructionCache(GetCurrentProcess(), CodePage, sizeof kCallCode);
        DllChanged = false;
        LastFunc = name;
    }
    if (ParmLongs.size() > kMaxParams) throw RaisedError(kErrTooMany, kSource, "Too many parameters");
    ParamBlock_.count = static_cast<int32_t>(ParmLongs.size());
    int i = 0;
    for (intptr_t v : ParmLongs) ParamBlock_.slots[i++] = static_cast<int32_t>(v);
    SetLastError(0);
    const int32_t result = z_DO_NOT_CALL(reinterpret_cast<intptr_t>(&ParamBlock_));
    lastError_ = static_cast<int32_t>(GetLastError());
    return result;
}

bool cCDECL::DllLoad(const std::string& sName) {
    hLib = LoadLibraryA(sName.c_str());
    if (!hLib) return false;
    DllChanged = true;
    return true;
}

bool cCDECL::DllUnload() {
    if (!hLib) return false;
    const bool ok = FreeLibrary(hLib) != FALSE;
    hLib = nullptr;
    return ok;
}

intptr_t cCDECL::WrapCallback(intptr_t nModFuncAddr, int32_t nParms) {
    uint8_t* entry = CodePage + kCallbackOffset;
    PutImm32(entry + kCbSize, static_cast<uint32_t>(nParms) * 4);
    PutImm32(entry + kCbTarget, static_cast<uint32_t>(nModFuncAddr));
    FlushInstructionCache(GetCurrentProcess(), entry, sizeof kCallbackCode);
    return reinterpret_cast<intptr_t>(entry);
}

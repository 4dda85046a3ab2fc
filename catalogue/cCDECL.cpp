#include "cCDECL.h"

#include <array>
#include <cstring>
#include <utility>

#include "RaisedError.h"

namespace {

const char kSource[] = "cCDECL";
constexpr size_t kCallbackOffset = 64;  // callback entry's place in the page
// The word the call entry calls, kept apart from the code: re-aiming the
// entry is a plain write to data, which needs no flush of the processor's
// instruction cache and leaves the code's cache lines alone.
constexpr size_t kTargetSlot = 2048;

void PutWord(uint8_t* at, uintptr_t v) { std::memcpy(at, &v, sizeof v); }

#if defined(__i386__)

// Call entry, __stdcall int entry(ParamBlock* pb): pushes slots count..1 so
// that slot 1 ends up as the first C argument, calls the target, then drops
// the arguments itself (the C convention leaves that to the caller). The
// stack is restored from ebp, so a __stdcall target does no harm either.
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
    0xA1, 0, 0, 0, 0,              // do_call: mov eax, [target slot]
    0xFF, 0xD0,                    // call eax
    0x8D, 0x65, 0xFC,              // lea  esp, [ebp-4]
    0x5E,                          // pop  esi
    0x5D,                          // pop  ebp
    0xC2, 0x04, 0x00,              // ret  4
};
constexpr size_t kSlotOperand = 20;  // the address of the target slot in the code above

// Callback entry, C convention: copies its arguments (byte size at kCbSize)
// and calls a __stdcall target, which removes the copies itself.
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

#else

// x86_64 has one calling convention: the call entry is a typed call of the
// export whose address the target slot holds; the callback entry is a jump.
constexpr uint8_t kCallbackCode[] = {
    0x48, 0xB8, 0, 0, 0, 0, 0, 0, 0, 0,  // mov rax, target
    0xFF, 0xE0,                          // jmp rax
};
constexpr size_t kCbTarget = 2;

// Calls fn with exactly N word arguments taken from the block's slots.
template <size_t... I>
intptr_t CallWith(FARPROC fn, const intptr_t* slots, std::index_sequence<I...>) {
    using Fn = intptr_t (*)(decltype(I, intptr_t{})...);
    return reinterpret_cast<Fn>(fn)(slots[I]...);
}

template <size_t... N>
constexpr auto MakeCallTable(std::index_sequence<N...>) {
    using Caller = intptr_t (*)(FARPROC, const intptr_t*);
    return std::array<Caller, sizeof...(N)>{
        +[](FARPROC fn, const intptr_t* s) { return CallWith(fn, s, std::make_index_sequence<N>{}); }...};
}

#endif

}  // namespace

cCDECL::cCDECL() {
    CodePage = static_cast<uint8_t*>(
        VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    if (!CodePage) throw RaisedError(7, kSource, "Out of memory");
#if defined(__i386__)
    std::memcpy(CodePage, kCallCode, sizeof kCallCode);
    PutWord(CodePage + kSlotOperand, reinterpret_cast<uintptr_t>(CodePage + kTargetSlot));
#endif
    std::memcpy(CodePage + kCallbackOffset, kCallbackCode, sizeof kCallbackCode);
}

cCDECL::~cCDECL() { VirtualFree(CodePage, 0, MEM_RELEASE); }

intptr_t cCDECL::z_DO_NOT_CALL(intptr_t nAddrParamBlock) {
    const auto* block = reinterpret_cast<const ParamBlock*>(nAddrParamBlock);
#if defined(__i386__)
    (void)block;
    return reinterpret_cast<intptr_t(__stdcall*)(intptr_t)>(CodePage)(nAddrParamBlock);
#else
    static constexpr auto kCallers = MakeCallTable(std::make_index_sequence<kMaxParams + 1>{});
    FARPROC target;
    std::memcpy(&target, CodePage + kTargetSlot, sizeof target);
    return kCallers[block->count](target, block->slots);
#endif
}

intptr_t cCDECL::CallFunc(std::string_view sFunction, std::initializer_list<intptr_t> ParmLongs) {
    if (!hLib) throw RaisedError(kErrNotLoaded, kSource, "DLL not loaded");
    if (sFunction != LastFunc || DllChanged) {
        if (DllChanged) found_.clear();
        FuncAddr = Lookup(sFunction);
        if (!FuncAddr) throw RaisedError(kErrNoFunction, kSource, "Failed to locate function: " + std::string(sFunction));
        // Only a found export re-aims the call entry: after a failed lookup
        // the previous name still calls its own export.
        PutWord(CodePage + kTargetSlot, reinterpret_cast<uintptr_t>(FuncAddr));
        DllChanged = false;
        LastFunc.assign(sFunction);
    }
    if (ParmLongs.size() > kMaxParams) throw RaisedError(kErrTooMany, kSource, "Too many parameters");
    ParamBlock_.count = static_cast<intptr_t>(ParmLongs.size());
    int i = 0;
    for (intptr_t v : ParmLongs) ParamBlock_.slots[i++] = v;
    SetLastError(0);
    const intptr_t result = z_DO_NOT_CALL(reinterpret_cast<intptr_t>(&ParamBlock_));
    lastError_ = static_cast<int32_t>(GetLastError());
    return result;
}

FARPROC cCDECL::Lookup(std::string_view name) {
    for (const auto& [known, address] : found_)
        if (known == name) return address;
    const std::string ansi(name);
    const FARPROC address = GetProcAddress(hLib, ansi.c_str());
    if (address) found_.emplace_back(ansi, address);
    return address;
}

bool cCDECL::DllLoad(const std::wstring& sName) {
    hLib = LoadLibraryW(sName.c_str());
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
#if defined(__i386__)
    PutWord(entry + kCbSize, static_cast<uintptr_t>(nParms) * 4);
#else
    (void)nParms;  // the jump forwards every argument as it is
#endif
    PutWord(entry + kCbTarget, static_cast<uintptr_t>(nModFuncAddr));
    FlushInstructionCache(GetCurrentProcess(), entry, sizeof kCallbackCode);
    return reinterpret_cast<intptr_t>(entry);
}

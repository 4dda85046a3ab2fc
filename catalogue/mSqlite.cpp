#include "mSqlite.h"

#include <windows.h>
#include <shlwapi.h>

#include <cstring>
#include <optional>

#include "App.h"
#include "RaisedError.h"
#include "cCDECL.h"

std::unique_ptr<cCDECL> SqliteLib;
bool SqliteReady = false;

namespace {

// Groups of work begun on the loaded library and not yet shut down. A group
// begun inside another (a handler run from the outer group's message loop)
// shares its load: unloading then would leave the outer connection and its
// file lock behind, no longer reachable.
int openGroups = 0;

// UTF-8 bytes with a terminating NUL, kept alive for the duration of a call.
std::string Utf8Z(const std::wstring& text) { return StringToUtf8(text) + '\0'; }

intptr_t Addr(const void* p) { return reinterpret_cast<intptr_t>(p); }

// The word an export returns, or nothing when the library lacks the export:
// a foreign or damaged sqlite3.dll must not take the caller down.
template <class... A>
std::optional<intptr_t> CallWord(std::string_view name, A... args) {
    try {
        return SqliteLib->CallFunc(name, {static_cast<intptr_t>(args)...});
    } catch (const RaisedError&) {
        return std::nullopt;
    }
}

// Calls an export that returns a C int: only the low 32 bits of the word are
// its value; `missing` when there is no such export.
template <class... A>
int32_t CallInt(int32_t missing, std::string_view name, A... args) {
    const std::optional<intptr_t> word = CallWord(name, args...);
    return word ? static_cast<int32_t>(*word) : missing;
}

wchar_t AnsiByteToChar(unsigned char b) {
    if (b < 0x80) return static_cast<wchar_t>(b);
    wchar_t ch = L'?';
    MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(&b), 1, &ch, 1);
    return ch;
}

// Every column of every row read passes here: plain ASCII goes straight through.
void Utf8Decode(const unsigned char* bytes, size_t size, std::wstring& out) {
    static constexpr unsigned char kLeadMask[] = {0, 0, 0x1F, 0x0F, 0x07, 0x03, 0x01};
    out.clear();
    out.reserve(size);
    size_t i = 0;
    while (i < size) {
        const unsigned char lead = bytes[i];
        const size_t len = lead >= 252 ? 6 : lead >= 248 ? 5 : lead >= 240 ? 4 : lead >= 224 ? 3 : lead >= 192 ? 2 : 1;
        if (len == 1) {
            out.push_back(AnsiByteToChar(lead));
            ++i;
            continue;
        }
        if (i + len > size) {
            out.push_back(L'?');
            break;
        }
        uint32_t code = lead & kLeadMask[len];
        for (size_t k = 1; k < len; ++k) code = (code << 6) | (bytes[i + k] & 0x3F);
        if (code > 0xFFFF && code <= 0x10FFFF) {
            // Outside the 16-bit range: the character as a surrogate pair.
            code -= 0x10000;
            out.push_back(static_cast<wchar_t>(0xD800 | (code >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 | (code & 0x3FF)));
        } else {
            out.push_back(code > 0xFFFF ? L'?' : static_cast<wchar_t>(code));
        }
        i += len;
    }
}

void Utf8PtrInto(intptr_t address, std::wstring& out) {
    if (address == 0) {
        out.clear();
        return;
    }
    const char* p = reinterpret_cast<const char*>(address);
    Utf8Decode(reinterpret_cast<const unsigned char*>(p), std::strlen(p), out);
}

}  // namespace

int32_t SqliteStartup(const std::wstring& folder) {
    if (SqliteReady && openGroups > 0) {
        ++openGroups;
        return 0;
    }
    // Ready without a group: what a failed shut-down kept.
    if (SqliteReady) SqliteShutdown();
    SqliteLib = std::make_unique<cCDECL>();
    // Wide all the way: a folder named in a script the ANSI code page lacks
    // must still be found.
    std::wstring dir = folder.empty() ? App::Path() : folder;
    if (dir.empty() || dir.back() != L'\\') dir += L'\\';
    dir = CanonicalizePath(dir);
    if (!SqliteLib->DllLoad(dir + L"sqlite3.dll")) {
        SqliteLib.reset();
        SqliteReady = false;
        return 1;
    }
    // A failed initialisation leaves the library loaded but not ready, also
    // when a failed shut-down above kept the previous one marked ready.
    SqliteReady = CallInt(1, "sqlite3_initialize") == 0;
    openGroups = SqliteReady ? 1 : 0;
    return SqliteReady ? 0 : 1;
}

int32_t SqliteShutdown() {
    if (!SqliteLib) return 1;
    if (openGroups > 1) {
        --openGroups;
        return 0;
    }
    openGroups = 0;
    if (CallInt(1, "sqlite3_shutdown") != 0) return 1;
    SqliteLib->DllUnload();
    SqliteLib.reset();
    SqliteReady = false;
    return 0;
}

int32_t SqliteOpen(const std::wstring& fileName, intptr_t& db) {
    if (!SqliteReady) return 1;
    const std::string name = Utf8Z(fileName);
    return CallInt(1, "sqlite3_open", Addr(name.data()), Addr(&db));
}

int32_t SqliteClose(intptr_t db) {
    if (!SqliteReady) return 1;
    return CallInt(1, "sqlite3_close", db);
}

int32_t SqlitePrepare(intptr_t db, const std::wstring& statement, int32_t byteCount, intptr_t& stmt,
                      intptr_t& tail) {
    if (!SqliteReady) return 1;
    const std::string sql = Utf8Z(statement);
    const int32_t bytes = byteCount == 0 ? static_cast<int32_t>(sql.size() - 1) : byteCount;
    return CallInt(1, "sqlite3_prepare_v2", db, Addr(sql.data()), bytes, Addr(&stmt), Addr(&tail));
}

int32_t SqliteExec(intptr_t db, const std::wstring& statement) {
    if (!SqliteReady) return 1;
    const std::string sql = Utf8Z(statement);
    return CallInt(1, "sqlite3_exec", db, Addr(sql.data()), 0, 0, 0);
}

int32_t SqliteChanges(intptr_t db) {
    if (!SqliteReady) return 0;
    return CallInt(0, "sqlite3_changes", db);
}

int32_t SqliteStep(intptr_t stmt) {
    if (!SqliteReady) return 1;
    return CallInt(1, "sqlite3_step", stmt);
}

int32_t SqliteFinalize(intptr_t stmt) {
    if (!SqliteReady) return 1;
    return CallInt(1, "sqlite3_finalize", stmt);
}

int32_t SqliteColumnBytes(intptr_t stmt, int32_t col) {
    if (!SqliteReady) return 0;
    return CallInt(0, "sqlite3_column_bytes", stmt, col);
}

std::wstring SqliteColumnText(intptr_t stmt, int32_t col) {
    std::wstring text;
    SqliteColumnText(stmt, col, text);
    return text;
}

void SqliteColumnText(intptr_t stmt, int32_t col, std::wstring& text) {
    Utf8PtrInto(SqliteReady ? CallWord("sqlite3_column_text", stmt, col).value_or(0) : 0, text);
}

int32_t SqliteColumnInt(intptr_t stmt, int32_t col) {
    if (!SqliteReady) return 0;
    return CallInt(0, "sqlite3_column_int", stmt, col);
}

std::wstring SqliteErrMsg(intptr_t db) {
    if (!SqliteReady) return {};
    return AnsiPtrToString(CallWord("sqlite3_errmsg", db).value_or(0));
}

std::string StringToUtf8(const std::wstring& text) {
    if (text.empty()) return {};
    std::string buf(4 * text.size() + 1, '\0');
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      buf.data(), static_cast<int>(buf.size()), nullptr, nullptr);
    if (n <= 0) return {};
    buf.resize(n);
    return buf;
}

std::wstring Utf8PtrToString(intptr_t address) {
    std::wstring text;
    Utf8PtrInto(address, text);
    return text;
}

std::wstring Utf8BytesToString(const std::string& bytes) {
    std::wstring text;
    Utf8Decode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), text);
    return text;
}

std::wstring AnsiPtrToString(intptr_t address) {
    if (address == 0) return {};
    std::wstring out;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(address); *p; ++p)
        out += AnsiByteToChar(*p);
    return out;
}

std::wstring CanonicalizePath(const std::wstring& path) {
    wchar_t buf[MAX_PATH] = {};
    if (!PathCanonicalizeW(buf, path.c_str())) return path;
    return std::wstring(buf);
}

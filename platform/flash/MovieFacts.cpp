#include "MovieFacts.h"

#include <cwctype>

namespace {

bool StartsWithNoCase(const std::wstring& text, const std::wstring& prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::towlower(text[i]) != prefix[i]) return false;
    return true;
}

std::wstring Widen(const char* s) { return std::wstring(s, s + std::char_traits<char>::length(s)); }

// Frame rate with at most two decimals, trailing zeros dropped ("24", "12.5").
std::wstring Rate(const SwfHeader& h) {
    std::wstring text = std::to_wstring(h.frameRate88 >> 8);
    const int hundredths = ((h.frameRate88 & 0xFF) * 100 + 128) / 256;
    if (hundredths == 0) return text;
    text += L'.';
    text += static_cast<wchar_t>(L'0' + hundredths / 10);
    if (hundredths % 10) text += static_cast<wchar_t>(L'0' + hundredths % 10);
    return text;
}

}  // namespace

bool IsWebAddress(const std::wstring& address) {
    return StartsWithNoCase(address, L"http://") || StartsWithNoCase(address, L"https://");
}

std::wstring MovieName(const std::wstring& address) {
    const size_t cut = address.find_last_of(L"/\\");
    return cut == std::wstring::npos ? address : address.substr(cut + 1);
}

MovieFacts FactsFromHead(const std::wstring& address, const std::optional<std::string>& head) {
    MovieFacts facts;
    facts.address = address;
    if (!head) {
        facts.state = MovieFacts::Missing;
        return facts;
    }
    facts.header = ParseSwfHeader(reinterpret_cast<const uint8_t*>(head->data()), head->size());
    facts.state = facts.header ? MovieFacts::Shown : MovieFacts::NotFlash;
    return facts;
}

std::vector<std::wstring> FactLines(const MovieFacts& facts, bool playing) {
    std::vector<std::wstring> lines{MovieName(facts.address)};
    switch (facts.state) {
        case MovieFacts::Empty: return {};
        case MovieFacts::Loading: lines.push_back(L"正在载入影片…"); return lines;
        case MovieFacts::Missing: lines.push_back(L"找不到影片"); return lines;
        case MovieFacts::NotFlash: lines.push_back(L"不是 Flash 影片"); return lines;
        case MovieFacts::Shown: break;
    }
    const SwfHeader& h = *facts.header;
    lines.push_back(Widen(h.Signature()) + L"  版本 " + std::to_wstring(h.version));
    if (h.hasFrame)
        lines.push_back(std::to_wstring(h.WidthPx()) + L" × " + std::to_wstring(h.HeightPx()) + L"  " + Rate(h) +
                        L" 帧/秒  " + std::to_wstring(h.frameCount) + L" 帧");
    else
        lines.push_back(h.compression == SwfHeader::Zlib ? L"zlib 压缩" : L"LZMA 压缩");
    lines.push_back(playing ? L"播放中" : L"已暂停");
    return lines;
}

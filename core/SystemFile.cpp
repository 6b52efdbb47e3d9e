#include "SystemFile.h"

#include <algorithm>
#include <cstdint>

#include "BlockText.h"
#include "SheetShape.h"
#include "SystemTable.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace SystemFile {

namespace {

// wchar_t is UTF-16 on Windows and a whole code point elsewhere.
constexpr bool kUtf16 = sizeof(wchar_t) == 2;

void AppendCodePoint(std::wstring& text, char32_t cp)
{
    if (kUtf16 && cp >= 0x10000) {
        cp -= 0x10000;
        text += static_cast<wchar_t>(0xD800 + (cp >> 10));
        text += static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
    } else {
        text += static_cast<wchar_t>(cp);
    }
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool DecodeUtf8(std::string_view bytes, std::wstring& text)
{
    text.clear();
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int nMore = 0;
        char32_t cp = 0;
        char32_t least = 0;
        if (lead < 0x80) {
            cp = lead;
        } else if (lead >= 0xC2 && lead < 0xE0) {
            nMore = 1, cp = lead & 0x1F, least = 0x80;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            nMore = 2, cp = lead & 0x0F, least = 0x800;
        } else if (lead >= 0xF0 && lead < 0xF5) {
            nMore = 3, cp = lead & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (nMore > 0 && i + nMore >= bytes.size())
            return false;
        for (int k = 1; k <= nMore; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000))
            return false;
        AppendCodePoint(text, cp);
        i += 1 + nMore;
    }
    return true;
}

bool DecodeUtf16(std::string_view bytes, bool bBigEndian, std::wstring& text)
{
    if (bytes.size() % 2 != 0)
        return false;
    text.clear();
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
        const char32_t unit = bBigEndian ? (b0 << 8 | b1) : (b1 << 8 | b0);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            const auto c0 = static_cast<unsigned char>(bytes[i + 2]);
            const auto c1 = static_cast<unsigned char>(bytes[i + 3]);
            const char32_t low = bBigEndian ? (c0 << 8 | c1) : (c1 << 8 | c0);
            if (low >= 0xDC00 && low < 0xE000) {
                AppendCodePoint(text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        if (unit >= 0xD800 && unit < 0xE000)
            return false;
        AppendCodePoint(text, unit);
    }
    return true;
}

bool DecodeCp932(std::string_view bytes, std::wstring& text)
{
    text.clear();
    if (bytes.empty())
        return true;
#ifdef _WIN32
    const int nBytes = static_cast<int>(bytes.size());
    const int nChars =
        ::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), nBytes, nullptr, 0);
    if (nChars <= 0)
        return false;
    text.resize(static_cast<std::size_t>(nChars));
    return ::MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), nBytes, &text[0],
                                 nChars) == nChars;
#else
    iconv_t cd = ::iconv_open("WCHAR_T", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    std::string in(bytes);
    std::wstring out(bytes.size() + 1, L'\0');
    char* pIn = &in[0];
    auto* pOut = reinterpret_cast<char*>(&out[0]);
    std::size_t nIn = in.size();
    std::size_t nOut = out.size() * sizeof(wchar_t);
    const std::size_t result = ::iconv(cd, &pIn, &nIn, &pOut, &nOut);
    ::iconv_close(cd);
    if (result == static_cast<std::size_t>(-1) || nIn != 0)
        return false;
    out.resize(out.size() - nOut / sizeof(wchar_t));
    text = out;
    return true;
#endif
}

// Control characters other than tabs and line ends mean the bytes were never text.
bool IsText(const std::wstring& text)
{
    return std::none_of(text.begin(), text.end(), [](wchar_t ch) {
        return (ch < 0x20 && ch != L'\t' && ch != L'\r' && ch != L'\n') || ch == 0x7F;
    });
}

// What an edit box counts: UTF-16 units.
std::size_t BoxLength(const std::wstring& text)
{
    if (kUtf16)
        return text.size();
    return text.size() +
           static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](wchar_t ch) {
               return (static_cast<std::uint32_t>(ch) >> 16) != 0;
           }));
}

// Quoted where a reader would otherwise split it, trim it, or take it for a matrix.
bool NeedsQuotes(const std::wstring& text)
{
    if (text.empty())
        return false;
    return text.find_first_of(L"\",;\t\r\n[]") != std::wstring::npos ||
           BlockText::IsBlank(text.front()) || BlockText::IsBlank(text.back());
}

void AppendCell(std::string& out, const std::wstring& text)
{
    const bool bQuote = NeedsQuotes(text);
    std::wstring cell = text;
    if (bQuote) {
        cell.clear();
        for (wchar_t ch : text)
            cell += ch == L'"' ? std::wstring(L"\"\"") : std::wstring(1, ch);
        cell = L'"' + cell + L'"';
    }
    for (std::size_t i = 0; i < cell.size(); ++i) {
        char32_t cp = static_cast<char32_t>(cell[i]);
        if (kUtf16 && cp >= 0xD800 && cp < 0xDC00 && i + 1 < cell.size()) {
            const char32_t low = static_cast<char32_t>(cell[i + 1]);
            if (low >= 0xDC00 && low < 0xE000) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        AppendUtf8(out, cp);
    }
}

std::wstring Num(std::size_t n)
{
    return std::to_wstring(n);
}

const wchar_t kNeeded[] = L"連立方程式のファイルは m 行 m + 1 列の値（m は 2 から 26）です。";

} // namespace

bool Decode(std::string_view bytes, std::wstring& text)
{
    auto starts = [&](std::string_view mark) {
        return bytes.substr(0, mark.size()) == mark;
    };
    bool bDecoded = false;
    if (starts("\xEF\xBB\xBF"))
        bDecoded = DecodeUtf8(bytes.substr(3), text);
    else if (starts("\xFF\xFE"))
        bDecoded = DecodeUtf16(bytes.substr(2), false, text);
    else if (starts("\xFE\xFF"))
        bDecoded = DecodeUtf16(bytes.substr(2), true, text);
    else
        bDecoded = DecodeUtf8(bytes, text) || DecodeCp932(bytes, text);
    return bDecoded && IsText(text);
}

namespace {

// Marked: a last column of quoted "" after the right-hand sides, which spreadsheets show as empty
// cells and which tells this reader to take every other cell exactly as written, where the
// texts could otherwise read as what other programs put around a system.
std::string Written(const CSystemTable& system, bool bMarked)
{
    const int n = system.Count();
    std::string out;
    bool bAscii = true;
    for (int r = 0; r < n; ++r) {
        for (int k = 0; k <= n; ++k) {
            const std::wstring& text = system.Text(r, k == n ? CSystemTable::kRhs : k);
            bAscii = bAscii && std::all_of(text.begin(), text.end(), [](wchar_t ch) {
                         return static_cast<char32_t>(ch) < 0x80;
                     });
            if (k > 0)
                out += ',';
            AppendCell(out, text);
        }
        out += bMarked ? ",\"\"\r\n" : "\r\n";
    }
    return bAscii ? out : "\xEF\xBB\xBF" + out;
}

bool ReadsBack(const std::string& bytes, const CSystemTable& system)
{
    const Contents contents = Read(bytes);
    const int n = system.Count();
    if (contents.rows.size() != static_cast<std::size_t>(n))
        return false;
    for (int r = 0; r < n; ++r)
        for (int k = 0; k <= n; ++k)
            if (contents.rows[r][k] != system.Text(r, k == n ? CSystemTable::kRhs : k))
                return false;
    return true;
}

} // namespace

std::string Write(const CSystemTable& system)
{
    std::string plain = Written(system, false);
    return ReadsBack(plain, system) ? plain : Written(system, true);
}

Contents Read(std::string_view bytes)
{
    Contents contents;
    if (bytes.size() > kMaxBytes) {
        contents.reason =
            L"ファイルが大きすぎます。開けるのは 4 MiB（" + Num(kMaxBytes) + L" バイト）までです。";
        return contents;
    }
    std::wstring text;
    if (!Decode(bytes, text)) {
        contents.reason = L"テキストのファイルではありません。";
        return contents;
    }
    SheetShape::Shaped shaped = SheetShape::Read(BlockText::Split(text));
    const BlockText::Block& block = shaped.block;
    const std::wstring why = shaped.why.empty() ? std::wstring() : shaped.why + L"\n";
    const std::size_t m = block.IsSingleCell() && block.rows[0][0].find_first_not_of(
                                                      L" \t\r\n\x3000") == std::wstring::npos
                              ? 0
                              : block.rows.size();
    if (m == 0) {
        contents.reason = std::wstring(L"値が一つもありません。\n") + kNeeded;
        return contents;
    }
    const std::size_t nFirst = block.rows[0].size();
    const auto ragged = std::find_if(block.rows.begin(), block.rows.end(),
                                     [&](const auto& row) { return row.size() != nFirst; });
    if (ragged != block.rows.end()) {
        contents.reason = L"値は " + Num(m) + L" 行ですが、1 行目は " + Num(nFirst) + L" 個、" +
                          Num(static_cast<std::size_t>(ragged - block.rows.begin()) + 1) +
                          L" 行目は " + Num(ragged->size()) + L" 個で、そろっていません。\n" + why +
                          kNeeded;
        return contents;
    }
    if (!shaped.bSystem) {
        contents.reason =
            L"値は " + Num(m) + L" 行 " + Num(nFirst) + L" 列です。\n" + why + kNeeded;
        return contents;
    }
    for (std::size_t r = 0; r < m; ++r) {
        for (std::size_t k = 0; k <= m; ++k) {
            const std::size_t nLength = BoxLength(block.rows[r][k]);
            if (nLength > kMaxText) {
                contents.reason = Num(r + 1) + L" 行目の " + Num(k + 1) + L" 番目の値は " +
                                  Num(nLength) + L" 文字あります。欄に入るのは " + Num(kMaxText) +
                                  L" 文字までです。";
                return contents;
            }
        }
    }
    contents.rows = std::move(shaped.block.rows);
    contents.said = std::move(shaped.said);
    return contents;
}

} // namespace SystemFile

#include "playlist_file/PlaylistFile.h"
#include "framework/Handles.h"
#include "playlist_file/LocalPath.h"
#include "playlist_file/ShortNameCache.h"

#include <shlwapi.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>

namespace {

// Only a to z: the player compares the other characters as they are.
void UpperCaseAscii(std::wstring& str)
{
    for (wchar_t& c : str) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    }
}

// The writer's temporary files are PLnnnnnn.TMP: an 8.3 name, because on
// FAT a long name's short alias would not follow the file through the rename.
constexpr unsigned kLastTemporaryNumber = 999999;

std::wstring TemporaryFileName(unsigned n)
{
    wchar_t szName[16];
    std::swprintf(szName, 16, L"PL%06u.TMP", n);
    return szName;
}

bool IsTemporaryFileName(const wchar_t* pszName)
{
    if (std::wcslen(pszName) != 12 || std::wcsncmp(pszName, L"PL", 2) != 0 ||
        std::wcscmp(pszName + 8, L".TMP") != 0)
        return false;
    return std::all_of(pszName + 2, pszName + 8, [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

HANDLE ValidOrNull(HANDLE h)
{
    return h == INVALID_HANDLE_VALUE ? nullptr : h;
}

// A file this writer made and has not yet put in the target's place.
class CTemporaryFile {
public:
    CTemporaryFile() = default;
    ~CTemporaryFile() {
        if (!m_strPath.empty()) {
            m_file.Reset();
            ::DeleteFileW(m_strPath.c_str());
        }
    }
    CTemporaryFile(const CTemporaryFile&) = delete;
    CTemporaryFile& operator=(const CTemporaryFile&) = delete;

    // Creates the first free temporary name in strFolder (which ends with
    // a backslash).
    bool Create(const std::wstring& strFolder) {
        for (unsigned n = 1; n <= kLastTemporaryNumber; ++n) {
            std::wstring strPath = strFolder + TemporaryFileName(n);
            m_file.Reset(ValidOrNull(::CreateFileW(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                                   FILE_ATTRIBUTE_NORMAL, nullptr)));
            if (m_file) {
                m_strPath = std::move(strPath);
                return true;
            }
            const DWORD error = ::GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return false;
        }
        return false;
    }

    // Writes everything, then makes it durable before the handle is closed:
    // the rename's write-through covers the rename, not the data.
    bool WriteAndClose(const std::string& strContent) {
        size_t nDone = 0;
        while (nDone < strContent.size()) {
            const DWORD nChunk = static_cast<DWORD>(std::min<size_t>(strContent.size() - nDone, 1u << 20));
            DWORD nWritten = 0;
            if (!::WriteFile(m_file.Get(), strContent.data() + nDone, nChunk, &nWritten, nullptr) ||
                nWritten != nChunk)
                return false;
            nDone += nChunk;
        }
        if (!::FlushFileBuffers(m_file.Get())) return false;
        return ::CloseHandle(m_file.Release()) != FALSE;
    }

    bool ReplaceTarget(const std::wstring& strTarget) {
        if (!::MoveFileExW(m_strPath.c_str(), strTarget.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return false;
        m_strPath.clear();
        return true;
    }

private:
    CKernelHandle m_file;
    std::wstring m_strPath;
};

bool ReplaceFileContent(const wchar_t* pszPath, const std::string& strContent)
{
    const DWORD nNeeded = ::GetFullPathNameW(pszPath, 0, nullptr, nullptr);
    if (nNeeded == 0) return false;
    std::wstring strTarget(nNeeded, L'\0');
    wchar_t* pszName = nullptr;
    const DWORD nLength = ::GetFullPathNameW(pszPath, nNeeded, &strTarget[0], &pszName);
    if (nLength == 0 || nLength >= nNeeded || !pszName || !*pszName) return false;
    const std::wstring strFolder = strTarget.substr(0, pszName - strTarget.c_str());
    strTarget.resize(nLength);
    // Windows refuses to replace a read-only file; not every file system
    // does, so the rule is kept here.
    const DWORD nAttributes = ::GetFileAttributesW(strTarget.c_str());
    if (nAttributes != INVALID_FILE_ATTRIBUTES && (nAttributes & FILE_ATTRIBUTE_READONLY)) return false;

    CTemporaryFile temporary;
    return temporary.Create(strFolder) && temporary.WriteAndClose(strContent) &&
           temporary.ReplaceTarget(strTarget);
}

// C0 controls and DEL: never part of a name, whatever the encoding.
bool IsControlCode(unsigned c)
{
    return c < 0x20 || c == 0x7F;
}

// In Unicode text the C1 controls count too. The bytes 0x80 to 0x9F of an
// ANSI file are no controls: they are letters and signs in most code pages,
// and the code page maps its undefined bytes into U+0080..U+009F.
bool IsUnicodeControl(wchar_t c)
{
    return IsControlCode(c) || (c >= 0x80 && c <= 0x9F);
}

bool IsSeparator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

// The longest line, its newline not counted, that the line buffer takes.
constexpr size_t kLongestLine = kPlaylistLineBuffer - 2;

bool Decode(UINT nCodePage, DWORD nFlags, const std::string& strBytes, std::wstring& strText)
{
    wchar_t szWide[kPlaylistLineBuffer];
    const int nWide = ::MultiByteToWideChar(nCodePage, nFlags, strBytes.data(), static_cast<int>(strBytes.size()),
                                            szWide, kPlaylistLineBuffer - 1);
    if (nWide <= 0) return false;
    strText.assign(szWide, static_cast<size_t>(nWide));
    return true;
}

// The text of a line of an ANSI file; false when its bytes hold a control.
bool DecodeAnsiLine(const std::string& strBytes, std::wstring& strText)
{
    return std::none_of(strBytes.begin(), strBytes.end(),
                        [](char c) { return IsControlCode(static_cast<unsigned char>(c)); }) &&
           Decode(CP_ACP, 0, strBytes, strText);
}

// An invalid sequence in UTF-8 text names no file.
bool DecodeUtf8Line(const std::string& strBytes, std::wstring& strText)
{
    return Decode(CP_UTF8, MB_ERR_INVALID_CHARS, strBytes, strText) &&
           std::none_of(strText.begin(), strText.end(), IsUnicodeControl);
}

// What a line's text names: the same rules for the reader and for the
// writer, which checks each of its lines with them.
class CLineRules {
public:
    explicit CLineRules(const wchar_t* pszPlaylist) {
        const size_t n = std::wcslen(pszPlaylist);
        // Relative lines resolve against the playlist's own folder and root;
        // a playlist path beyond the buffer leaves no room to resolve them.
        m_bHasBase = n < MAX_PATH;
        if (m_bHasBase) {
            wchar_t szFolder[MAX_PATH], szRoot[MAX_PATH];
            std::wcscpy(szFolder, pszPlaylist);
            std::wcscpy(szRoot, pszPlaylist);
            ::PathRemoveFileSpecW(szFolder);
            ::PathStripToRootW(szRoot);
            m_strFolder = szFolder;
            m_strRoot = szRoot;
        }
    }

    // False when the text names no file on a local drive.
    bool EntryOf(const std::wstring& strText, std::wstring& strEntry) const {
        // The path functions take "\??\" for the system's own namespace.
        if (strText.size() >= 4 && IsSeparator(strText[0]) && strText[1] == L'?' && strText[2] == L'?' &&
            IsSeparator(strText[3]))
            return false;
        std::wstring strPath;
        if (strText[1] == L':') {
            strPath = strText;
        } else {
            // Two separators start a network or device path, which no
            // joining may turn into a file of the player.
            if (!m_bHasBase || (IsSeparator(strText[0]) && IsSeparator(strText[1]))) return false;
            strPath = IsSeparator(strText[0]) ? m_strRoot + strText : m_strFolder + L'\\' + strText;
        }
        return ToLocalDrivePath(strPath, strEntry) && strEntry.size() < MAX_PATH;
    }

private:
    bool m_bHasBase = false;
    std::wstring m_strFolder;
    std::wstring m_strRoot;
};

// Tells, byte by byte, whether text is UTF-8 throughout: no overlong forms,
// no surrogates, nothing beyond U+10FFFF, no sequence cut short.
class CUtf8Check {
public:
    void Add(unsigned char c) {
        if (!m_bValid) return;
        if (m_nPending > 0) {
            m_bValid = c >= m_nLow && c <= m_nHigh;
            --m_nPending;
            m_nLow = 0x80;
            m_nHigh = 0xBF;
            return;
        }
        if (c < 0x80) return;
        m_bNonAscii = true;
        if (c >= 0xC2 && c <= 0xDF)
            Expect(1, 0x80, 0xBF);
        else if (c == 0xE0)
            Expect(2, 0xA0, 0xBF);
        else if (c == 0xED)
            Expect(2, 0x80, 0x9F);
        else if (c >= 0xE1 && c <= 0xEF)
            Expect(2, 0x80, 0xBF);
        else if (c == 0xF0)
            Expect(3, 0x90, 0xBF);
        else if (c >= 0xF1 && c <= 0xF3)
            Expect(3, 0x80, 0xBF);
        else if (c == 0xF4)
            Expect(3, 0x80, 0x8F);
        else
            m_bValid = false;
    }
    // Plain ASCII is the same text in either reading.
    bool IsUtf8BeyondAscii() const { return m_bValid && m_nPending == 0 && m_bNonAscii; }

private:
    void Expect(int nPending, unsigned nLow, unsigned nHigh) {
        m_nPending = nPending;
        m_nLow = nLow;
        m_nHigh = nHigh;
    }
    bool m_bValid = true;
    bool m_bNonAscii = false;
    int m_nPending = 0;
    unsigned m_nLow = 0x80;
    unsigned m_nHigh = 0xBF;
};

// How the bytes of a file spell its text, told by the mark at its start.
enum class Encoding { kUnknown, kAnsi, kUtf8, kUtf16Le, kUtf16Be };

// A line as it is read: at most a line buffer of characters (bytes for the
// narrow encodings, UTF-16 units otherwise); a longer one is skipped whole.
template <typename Char>
struct CLineBuffer {
    // One beyond the longest line, so that a trailing CR still fits.
    Char sz[kPlaylistLineBuffer] = {};
    size_t n = 0;
    bool bTooLong = false;

    void Add(Char c) {
        if (bTooLong || n == kPlaylistLineBuffer)
            bTooLong = true;
        else
            sz[n++] = c;
    }
    // The text as the line buffer would hold it: up to the first NUL, and
    // with the newline counted only when no NUL came before it. Null when
    // the line is too long for the buffer or too short to be an entry.
    const Char* Text(bool bNewline, size_t& nText) const {
        if (n + (bNewline ? 1 : 0) > kPlaylistLineBuffer - 1) return nullptr;
        nText = 0;
        while (nText < n && sz[nText] != 0) ++nText;
        const size_t nCounted = nText + (bNewline && nText == n ? 1 : 0);
        return nCounted <= 3 ? nullptr : sz;
    }
    // Comments and lines of 3 characters or fewer are no entries by the
    // format's own rules; every other line that gives none is refused.
    bool IsDroppedAside(bool bNewline) const {
        return (n > 0 && sz[0] == '#') || n + (bNewline ? 1 : 0) <= 3;
    }
};

// Splits a file's bytes into lines and keeps the entries they name. Works on
// a stream; the lines of a file without a mark are kept until its end, which
// tells their encoding. Text ends at a Ctrl+Z, as in text-mode reading.
class CLineParser {
public:
    CLineParser(const wchar_t* pszPlaylist, std::vector<std::wstring>& arrEntries)
        : m_rules(pszPlaylist), m_arrEntries(arrEntries) {}

    void Feed(const char* p, size_t n) {
        for (; n > 0 && m_encoding == Encoding::kUnknown; ++p, --n) {
            m_mark[m_nMark++] = *p;
            TakeMark(false);
        }
        if (m_encoding == Encoding::kUtf16Le || m_encoding == Encoding::kUtf16Be)
            FeedUtf16(p, n);
        else
            FeedNarrow(p, n);
    }

    void Finish() {
        if (m_encoding == Encoding::kUnknown) TakeMark(true);
        if (m_narrow.n > 0 || m_narrow.bTooLong) EndLine(m_narrow, false);
        if (m_wide.n > 0 || m_wide.bTooLong) EndLine(m_wide, false);
        // Without a mark the text is read as UTF-8 when all of it is: other
        // programs write playlists so, and ANSI text beyond ASCII is rarely
        // valid UTF-8 by chance.
        const bool bUtf8 = m_utf8.IsUtf8BeyondAscii();
        for (const std::string& strBytes : m_arrUnmarked) {
            std::wstring strText;
            TakeText(bUtf8 ? DecodeUtf8Line(strBytes, strText) : DecodeAnsiLine(strBytes, strText), strText);
        }
        m_arrUnmarked.clear();
    }

    int Refused() const { return m_nRefused; }

private:
    // Decides the encoding once the first bytes match a mark or cannot
    // become one; bytes that are not a mark are text.
    void TakeMark(bool bAtEnd) {
        static const struct {
            const char* pszBytes;
            size_t n;
            Encoding encoding;
        } kMarks[] = {{"\xEF\xBB\xBF", 3, Encoding::kUtf8},
                      {"\xFF\xFE", 2, Encoding::kUtf16Le},
                      {"\xFE\xFF", 2, Encoding::kUtf16Be}};
        bool bMayGrow = false;
        for (const auto& mark : kMarks) {
            const size_t nCompared = std::min(m_nMark, mark.n);
            if (std::memcmp(m_mark, mark.pszBytes, nCompared) != 0) continue;
            if (m_nMark == mark.n) {
                m_encoding = mark.encoding;
                return;
            }
            bMayGrow = true;
        }
        if (bMayGrow && !bAtEnd) return;
        m_encoding = Encoding::kAnsi;
        FeedNarrow(m_mark, m_nMark);
    }

    void FeedNarrow(const char* p, size_t n) {
        for (const char* pEnd = p + n; p != pEnd && !m_bEnded; ++p) {
            if (m_encoding == Encoding::kAnsi) m_utf8.Add(static_cast<unsigned char>(*p));
            FeedCharacter(m_narrow, *p);
        }
    }

    void FeedUtf16(const char* p, size_t n) {
        for (const char* pEnd = p + n; p != pEnd && !m_bEnded; ++p) {
            m_unit[m_nUnit++] = static_cast<unsigned char>(*p);
            if (m_nUnit < 2) continue;
            m_nUnit = 0;
            const unsigned nFirst = m_encoding == Encoding::kUtf16Le ? m_unit[1] : m_unit[0];
            const unsigned nSecond = m_encoding == Encoding::kUtf16Le ? m_unit[0] : m_unit[1];
            FeedCharacter(m_wide, static_cast<wchar_t>(nFirst << 8 | nSecond));
        }
    }

    template <typename Char>
    void FeedCharacter(CLineBuffer<Char>& line, Char c) {
        if (c == 0x1A)
            m_bEnded = true;
        else if (c == '\n')
            EndLine(line, true);
        else
            line.Add(c);
    }

    template <typename Char>
    void EndLine(CLineBuffer<Char>& line, bool bNewline) {
        // A CR before the line end belongs to the line end, as in text mode.
        if (!line.bTooLong && line.n > 0 && line.sz[line.n - 1] == '\r') --line.n;
        size_t nText = 0;
        const Char* pText = line.bTooLong ? nullptr : line.Text(bNewline, nText);
        if (pText && pText[0] != '#')
            TakeLine(pText, nText);
        else if (!pText && !line.IsDroppedAside(bNewline))
            ++m_nRefused;
        line.n = 0;
        line.bTooLong = false;
    }

    // Unmarked text waits for the end of the file, which tells its encoding.
    void TakeLine(const char* pText, size_t nText) {
        std::string strBytes(pText, nText);
        if (m_encoding == Encoding::kUtf8) {
            std::wstring strText;
            TakeText(DecodeUtf8Line(strBytes, strText), strText);
        } else {
            m_arrUnmarked.push_back(std::move(strBytes));
        }
    }

    void TakeLine(const wchar_t* pText, size_t nText) {
        const std::wstring strText(pText, nText);
        TakeText(std::none_of(strText.begin(), strText.end(), IsUnicodeControl), strText);
    }

    void TakeText(bool bDecoded, const std::wstring& strText) {
        std::wstring strEntry;
        if (bDecoded && m_rules.EntryOf(strText, strEntry))
            m_arrEntries.push_back(std::move(strEntry));
        else
            ++m_nRefused;
    }

    const CLineRules m_rules;
    std::vector<std::wstring>& m_arrEntries;
    int m_nRefused = 0;
    Encoding m_encoding = Encoding::kUnknown;
    char m_mark[3] = {};
    size_t m_nMark = 0;
    unsigned char m_unit[2] = {};
    size_t m_nUnit = 0;
    bool m_bEnded = false;
    CUtf8Check m_utf8;
    std::vector<std::string> m_arrUnmarked;
    CLineBuffer<char> m_narrow;
    CLineBuffer<wchar_t> m_wide;
};

// The line for one upper-cased entry, empty when it is left out: a line
// must name its file, so an entry is never written in a form that does not,
// nor in one that the reader would refuse.
std::string EntryLine(const wchar_t* pszPlaylist, const CLineRules& rules, const std::wstring& strEntry,
                      CShortNameCache& cache)
{
    std::wstring strLocal;
    if (!ToLocalDrivePath(strEntry, strLocal)) return std::string();
    std::wstring strChosen;
    // Names that are already 8.3 come back as the file system stores them,
    // in whatever case that is.
    if (cache.Resolve(strLocal, strChosen))
        UpperCaseAscii(strChosen);
    else
        strChosen = strLocal;
    // "X:\" and the rest: on the playlist's own root, the rest is the line.
    if (::PathIsSameRootW(pszPlaylist, strLocal.c_str())) strChosen.erase(0, 2);

    char szLine[kPlaylistLineBuffer];
    if (!ToNarrow(szLine, strChosen.c_str(), kPlaylistLineBuffer, CP_ACP)) return std::string();
    const std::string strLine = szLine;
    std::wstring strText, strRead;
    if (strLine.size() < 3 || strLine.size() > kLongestLine || !DecodeAnsiLine(strLine, strText) ||
        !rules.EntryOf(strText, strRead))
        return std::string();
    return strLine;
}

// The reader takes a file whose bytes are all valid UTF-8 beyond ASCII for
// UTF-8, whatever the code page its lines were written in. When the lines
// chosen make such a file, a line that UTF-8 reads as another entry (or as
// none) is left out, so that the file names only what its lines were meant
// to. Returns the number left out.
int LeaveOutLinesReadOtherwise(const CLineRules& rules, std::vector<std::string>& arrLines)
{
    CUtf8Check utf8;
    for (const std::string& strLine : arrLines)
        for (char c : strLine) utf8.Add(static_cast<unsigned char>(c));
    if (!utf8.IsUtf8BeyondAscii()) return 0;
    const auto readOtherwise = [&rules](const std::string& strLine) {
        std::wstring strAnsi, strUtf8, strMeant, strRead;
        DecodeAnsiLine(strLine, strAnsi);
        rules.EntryOf(strAnsi, strMeant);
        return !DecodeUtf8Line(strLine, strUtf8) || !rules.EntryOf(strUtf8, strRead) || strRead != strMeant;
    };
    const size_t nBefore = arrLines.size();
    arrLines.erase(std::remove_if(arrLines.begin(), arrLines.end(), readOtherwise), arrLines.end());
    return static_cast<int>(nBefore - arrLines.size());
}

}

bool ToNarrow(char* pszBuffer, const wchar_t* pszText, int cbBuffer, UINT nCodePage)
{
    if (!pszBuffer || cbBuffer <= 0) return false;
    pszBuffer[0] = '\0';
    if (!pszText) return false;
    // Every ANSI code page holds ASCII as it is, and the plain conversion is
    // the fast one. Beyond ASCII, the UTF code pages hold every character
    // but a lone surrogate and take no default character; the others report
    // one they had to substitute. The conversion is asked in the code page
    // itself: the UTF-8 flag is documented for CP_UTF8 only, not for
    // CP_ACP on a system whose ANSI code page is UTF-8.
    const bool bAscii = std::all_of(pszText, pszText + std::wcslen(pszText), [](wchar_t c) { return c < 0x80; });
    const UINT nActual = nCodePage == CP_ACP ? ::GetACP() : nCodePage;
    const bool bUtf = nActual == CP_UTF8 || nActual == CP_UTF7;
    const bool bReportsDefault = !bAscii && !bUtf;
    const DWORD nFlags = bAscii ? 0 : nActual == CP_UTF8 ? WC_ERR_INVALID_CHARS : bUtf ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL bDefaultUsed = FALSE;
    if (::WideCharToMultiByte(nActual, nFlags, pszText, -1, pszBuffer, cbBuffer, nullptr,
                              bReportsDefault ? &bDefaultUsed : nullptr) == 0 ||
        bDefaultUsed) {
        // A failed conversion may leave part of the text without a terminator.
        pszBuffer[0] = '\0';
        return false;
    }
    return true;
}

int WritePlaylistFile(const wchar_t* pszPath, std::vector<std::wstring>& arrEntries, int* pnLeftOut)
{
    if (pnLeftOut) *pnLeftOut = 0;
    if (!pszPath || !*pszPath) return kPlaylistFileNoPath;

    CShortNameCache cache;
    const CLineRules rules(pszPath);
    std::vector<std::string> arrLines;
    int nLeftOut = 0;
    for (std::wstring& strEntry : arrEntries) {
        if (strEntry.empty()) continue;
        UpperCaseAscii(strEntry);
        std::string strLine = EntryLine(pszPath, rules, strEntry, cache);
        if (strLine.empty())
            ++nLeftOut;
        else
            arrLines.push_back(std::move(strLine));
    }
    nLeftOut += LeaveOutLinesReadOtherwise(rules, arrLines);
    std::string strContent;
    for (const std::string& strLine : arrLines) strContent += strLine + "\r\n";
    if (!ReplaceFileContent(pszPath, strContent)) return kPlaylistFileFailed;
    if (pnLeftOut) *pnLeftOut = nLeftOut;
    return kPlaylistFileDone;
}

void RemoveLeftoverTemporaryFiles(const wchar_t* pszFolder)
{
    if (!pszFolder || !IsLocalDrivePath(pszFolder)) return;
    const std::wstring strFolder = std::wstring(pszFolder) + L"\\";
    WIN32_FIND_DATAW data;
    CFindHandle find(::FindFirstFileW((strFolder + L"PL*.TMP").c_str(), &data));
    if (!find) return;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsTemporaryFileName(data.cFileName))
            ::DeleteFileW((strFolder + data.cFileName).c_str());
    } while (::FindNextFileW(find.Get(), &data));
}

int ReadPlaylistFile(const wchar_t* pszPath, std::vector<std::wstring>& arrEntries, int* pnRefused)
{
    if (pnRefused) *pnRefused = 0;
    if (!pszPath || !*pszPath) return kPlaylistFileNoPath;

    CKernelHandle file(ValidOrNull(::CreateFileW(pszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                 nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)));
    if (!file) return kPlaylistFileFailed;

    // Entries reach the caller only once the whole file has been read: a
    // partial list would be written back as if it were the playlist.
    std::vector<std::wstring> arrRead;
    CLineParser parser(pszPath, arrRead);
    char buffer[64 * 1024];
    for (;;) {
        DWORD nRead = 0;
        if (!::ReadFile(file.Get(), buffer, sizeof(buffer), &nRead, nullptr)) return kPlaylistFileFailed;
        if (nRead == 0) break;
        parser.Feed(buffer, nRead);
    }
    parser.Finish();

    arrEntries.reserve(arrEntries.size() + arrRead.size());
    for (std::wstring& strEntry : arrRead) arrEntries.push_back(std::move(strEntry));
    if (pnRefused) *pnRefused = parser.Refused();
    return kPlaylistFileDone;
}

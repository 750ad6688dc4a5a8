#include "playlist_file/PlaylistFile.h"
#include "framework/Handles.h"
#include "playlist_file/ShortNameCache.h"

#include <shlwapi.h>
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Only a to z: the player compares the other characters as they are.
void UpperCaseAscii(std::wstring& str)
{
    for (wchar_t& c : str) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    }
}

// The line for one upper-cased entry, empty when it is left out.
std::string EntryLine(const wchar_t* pszPlaylist, const std::wstring& strEntry, CShortNameCache& cache)
{
    std::wstring strChosen;
    // Names that are already 8.3 come back as the file system stores them,
    // in whatever case that is.
    if (cache.Resolve(strEntry, strChosen))
        UpperCaseAscii(strChosen);
    else
        strChosen = strEntry;
    char szNarrow[kPlaylistLineBuffer];
    if (!ToNarrow(szNarrow, strChosen.c_str(), kPlaylistLineBuffer, CP_ACP)) return std::string();
    if (!::PathIsSameRootW(pszPlaylist, strEntry.c_str())) return szNarrow;

    const char* pszBelowRoot = ::PathSkipRootA(szNarrow);
    if (!pszBelowRoot) return szNarrow;
    char szLine[kPlaylistLineBuffer] = "\\";
    if (!::PathAppendA(szLine, pszBelowRoot)) return std::string();
    return szLine;
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

    // Creates the first free PLnnnnnn.TMP in strFolder (which ends with a
    // backslash). An 8.3 name, because on FAT a long name's short alias would
    // not follow the file through the rename.
    bool Create(const std::wstring& strFolder) {
        for (unsigned n = 1; n <= 999999; ++n) {
            wchar_t szName[16];
            std::swprintf(szName, 16, L"PL%06u.TMP", n);
            std::wstring strPath = strFolder + szName;
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

// Splits bytes into lines and keeps the entries they name. Works on a stream,
// so a file of any size is read in bounded memory.
class CLineParser {
public:
    CLineParser(const wchar_t* pszPlaylist, std::vector<std::wstring>& arrEntries)
        : m_arrEntries(arrEntries) {
        const size_t n = std::wcslen(pszPlaylist);
        // Relative lines resolve against the playlist's own folder and root;
        // a playlist path beyond the buffer leaves no room to resolve them.
        m_bHasBase = n < MAX_PATH;
        if (m_bHasBase) {
            std::wcscpy(m_szFolder, pszPlaylist);
            std::wcscpy(m_szRoot, pszPlaylist);
            ::PathRemoveFileSpecW(m_szFolder);
            ::PathStripToRootW(m_szRoot);
        }
    }

    void Feed(const char* p, size_t n) {
        for (const char* pEnd = p + n; p != pEnd; ++p) {
            if (*p == '\n') {
                EndLine(true);
            } else if (m_bTooLong || m_nLine == sizeof(m_szLine)) {
                m_bTooLong = true;
            } else {
                m_szLine[m_nLine++] = *p;
            }
        }
    }

    void Finish() {
        if (m_nLine > 0 || m_bTooLong) EndLine(false);
    }

private:
    void EndLine(bool bNewline) {
        if (!m_bTooLong) {
            // A CR before the line end belongs to the line end, as in text mode.
            if (m_nLine > 0 && m_szLine[m_nLine - 1] == '\r') --m_nLine;
            TakeLine(bNewline);
        }
        m_nLine = 0;
        m_bTooLong = false;
    }

    // The line is measured as the line buffer would hold it: text to the
    // first NUL, and the newline only when no NUL came before it.
    void TakeLine(bool bNewline) {
        if (m_nLine + (bNewline ? 1 : 0) > kPlaylistLineBuffer - 1) return;
        const size_t nText = strnlen(m_szLine, m_nLine);
        const size_t nCounted = nText + (bNewline && nText == m_nLine ? 1 : 0);
        if (nCounted <= 3 || m_szLine[0] == '#') return;

        wchar_t szWide[kPlaylistLineBuffer];
        const int nWide = ::MultiByteToWideChar(CP_ACP, 0, m_szLine, static_cast<int>(nText), szWide,
                                                kPlaylistLineBuffer - 1);
        if (nWide <= 0) return;
        szWide[nWide] = L'\0';

        if (m_szLine[1] == ':') {
            m_arrEntries.emplace_back(szWide);
            return;
        }
        if (!m_bHasBase) return;
        wchar_t szEntry[MAX_PATH];
        std::wcscpy(szEntry, m_szLine[0] == '\\' ? m_szRoot : m_szFolder);
        if (::PathAppendW(szEntry, szWide)) m_arrEntries.emplace_back(szEntry);
    }

    std::vector<std::wstring>& m_arrEntries;
    bool m_bHasBase = false;
    wchar_t m_szFolder[MAX_PATH] = {};
    wchar_t m_szRoot[MAX_PATH] = {};
    // One byte beyond the longest line, so that a trailing CR still fits.
    char m_szLine[kPlaylistLineBuffer] = {};
    size_t m_nLine = 0;
    bool m_bTooLong = false;
};

}

bool ToNarrow(char* pszBuffer, const wchar_t* pszText, int cbBuffer, UINT nCodePage)
{
    if (!pszBuffer || cbBuffer <= 0) return false;
    pszBuffer[0] = '\0';
    if (!pszText) return false;
    if (::WideCharToMultiByte(nCodePage, 0, pszText, -1, pszBuffer, cbBuffer, nullptr, nullptr) == 0) {
        // A failed conversion may leave part of the text without a terminator.
        pszBuffer[0] = '\0';
        return false;
    }
    return true;
}

int WritePlaylistFile(const wchar_t* pszPath, std::vector<std::wstring>& arrEntries)
{
    if (!pszPath || !*pszPath) return kPlaylistFileNoPath;

    CShortNameCache cache;
    std::string strContent;
    for (std::wstring& strEntry : arrEntries) {
        UpperCaseAscii(strEntry);
        const std::string strLine = EntryLine(pszPath, strEntry, cache);
        if (strLine.empty()) continue;
        strContent += strLine;
        strContent += "\r\n";
    }
    return ReplaceFileContent(pszPath, strContent) ? kPlaylistFileDone : kPlaylistFileFailed;
}

int ReadPlaylistFile(const wchar_t* pszPath, std::vector<std::wstring>& arrEntries)
{
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
    return kPlaylistFileDone;
}

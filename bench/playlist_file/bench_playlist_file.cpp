// Times the playlist writer on folders of existing files against a baseline
// measured in the same run: one enumeration of the same folders plus writing
// the same bytes with plain stdio. Adding to an existing playlist also reads
// it, against a plain read of the same bytes. Makes its data in a temporary
// folder and removes it again.
#include "playlist_file/LongNameResolver.h"
#include "playlist_file/PlaylistFile.h"
#include "TestSupport.h"

#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

template <typename F>
double TimeMs(F run)
{
    const double start = NowMs();
    run();
    return NowMs() - start;
}

struct Case {
    const char* name;
    int nFolders;
    int nPerFolder;
    std::vector<std::wstring> arrFolders;
    std::vector<std::wstring> arrEntries;
};

bool MakeCase(const std::wstring& strRoot, Case& c)
{
    for (int f = 0; f < c.nFolders; ++f) {
        wchar_t szFolder[64];
        std::swprintf(szFolder, 64, L"\\%hs\\Album Folder With A Long Name %02d", c.name, f);
        const std::wstring strFolder = strRoot + szFolder;
        if (!MakeFolders(strFolder)) return false;
        c.arrFolders.push_back(strFolder);
        for (int i = 0; i < c.nPerFolder; ++i) {
            wchar_t szName[64];
            std::swprintf(szName, 64, L"\\Track %05d of a long album title.mp3", i);
            const std::wstring strPath = strFolder + szName;
            if (!WriteBytes(strPath, "")) return false;
            c.arrEntries.push_back(strPath);
        }
    }
    return true;
}

void EnumerateFolders(const std::vector<std::wstring>& arrFolders)
{
    for (const std::wstring& strFolder : arrFolders) {
        WIN32_FIND_DATAW data;
        HANDLE hFind = ::FindFirstFileExW((strFolder + L"\\*").c_str(), FindExInfoStandard, &data,
                                          FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
        if (hFind == INVALID_HANDLE_VALUE) continue;
        while (::FindNextFileW(hFind, &data)) {}
        ::FindClose(hFind);
    }
}

void WriteWithStdio(const std::wstring& strPath, const std::string& strBytes)
{
    FILE* pFile = ::_wfopen(strPath.c_str(), L"wb");
    if (!pFile) return;
    std::fwrite(strBytes.data(), 1, strBytes.size(), pFile);
    std::fclose(pFile);
}

// The writer's median time, or a negative value when the case failed.
double Run(const std::wstring& strRoot, Case& c)
{
    if (!MakeCase(strRoot, c)) {
        std::printf("%s: cannot create the test files\n", c.name);
        return -1;
    }
    const std::wstring strPlaylist = strRoot + L"\\" + std::wstring(c.name, c.name + std::strlen(c.name)) + L".m3u";
    const std::wstring strBaselineFile = strPlaylist + L".baseline";
    int nResult = 0;
    auto write = [&] {
        std::vector<std::wstring> arrCopy = c.arrEntries;
        nResult |= WritePlaylistFile(strPlaylist.c_str(), arrCopy);
    };
    write();
    const std::string strBytes = ReadBytes(strPlaylist);
    auto baseline = [&] {
        EnumerateFolders(c.arrFolders);
        WriteWithStdio(strBaselineFile, strBytes);
    };
    baseline();
    // Alternating runs share out the noise of a busy machine evenly.
    std::vector<double> arrWriteMs, arrBaselineMs;
    for (int i = 0; i < 7; ++i) {
        arrWriteMs.push_back(TimeMs(write));
        arrBaselineMs.push_back(TimeMs(baseline));
    }
    const double writeMs = Median(arrWriteMs);
    const double baselineMs = Median(arrBaselineMs);
    if (nResult != kPlaylistFileDone) {
        std::printf("%s: the writer failed (%d)\n", c.name, nResult);
        return -1;
    }
    std::printf("%s: %.1f ms, baseline %.1f ms, ratio %.2f\n", c.name, writeMs, baselineMs,
                writeMs / baselineMs);
    return writeMs;
}

// Adding to an existing playlist: every other file of the case is in the
// playlist already, and the rest are added to it.
bool RunAddTo(const std::wstring& strRoot, Case& c)
{
    if (!MakeCase(strRoot, c)) {
        std::printf("%s: cannot create the test files\n", c.name);
        return false;
    }
    std::vector<std::wstring> arrOld, arrNew;
    for (size_t i = 0; i < c.arrEntries.size(); ++i) (i % 2 ? arrNew : arrOld).push_back(c.arrEntries[i]);
    const std::wstring strPlaylist = strRoot + L"\\add.m3u";
    const std::wstring strBaselineFile = strPlaylist + L".baseline";
    int nResult = WritePlaylistFile(strPlaylist.c_str(), arrOld);
    const std::string strOldBytes = ReadBytes(strPlaylist);

    size_t nWritten = 0;
    auto add = [&] {
        std::vector<std::wstring> arrEntries;
        nResult |= ReadPlaylistFile(strPlaylist.c_str(), arrEntries);
        arrEntries.insert(arrEntries.end(), arrNew.begin(), arrNew.end());
        nWritten = arrEntries.size();
        nResult |= WritePlaylistFile(strPlaylist.c_str(), arrEntries);
    };
    add();
    const std::string strNewBytes = ReadBytes(strPlaylist);
    auto baseline = [&] {
        EnumerateFolders(c.arrFolders);
        ReadBytes(strPlaylist);
        WriteWithStdio(strBaselineFile, strNewBytes);
    };
    std::vector<double> arrAddMs, arrBaselineMs;
    for (int i = 0; i < 7; ++i) {
        WriteBytes(strPlaylist, strOldBytes);
        arrAddMs.push_back(TimeMs(add));
        WriteBytes(strPlaylist, strOldBytes);
        arrBaselineMs.push_back(TimeMs(baseline));
    }
    if (nResult != kPlaylistFileDone || nWritten != c.arrEntries.size()) {
        std::printf("%s: reading or writing failed (%d, %u entries)\n", c.name, nResult,
                    static_cast<unsigned>(nWritten));
        return false;
    }
    const double addMs = Median(arrAddMs);
    const double baselineMs = Median(arrBaselineMs);
    std::printf("%s: %.1f ms, baseline %.1f ms, ratio %.2f\n", c.name, addMs, baselineMs, addMs / baselineMs);
    return true;
}

// Opening a playlist as the writer wrote it (short names) to edit it: read
// and resolve every entry, against listing each folder once and reading the
// bytes.
bool RunOpen(const std::wstring& strRoot, Case& c)
{
    if (!MakeCase(strRoot, c)) {
        std::printf("%s: cannot create the test files\n", c.name);
        return false;
    }
    const std::wstring strPlaylist = strRoot + L"\\open.m3u";
    std::vector<std::wstring> arrCopy = c.arrEntries;
    int nResult = WritePlaylistFile(strPlaylist.c_str(), arrCopy);
    const std::wstring strDriveRoot = strRoot.substr(0, 3);
    COpenedPlaylist opened;
    auto open = [&] { nResult |= OpenPlaylistFile(strPlaylist.c_str(), strDriveRoot, opened); };
    auto baseline = [&] {
        EnumerateFolders(c.arrFolders);
        ReadBytes(strPlaylist);
    };
    std::vector<double> arrOpenMs, arrBaselineMs;
    for (int i = 0; i < 7; ++i) {
        arrOpenMs.push_back(TimeMs(open));
        arrBaselineMs.push_back(TimeMs(baseline));
    }
    if (nResult != kPlaylistFileDone || opened.arrEntries.size() != c.arrEntries.size() || !opened.arrMissing.empty()) {
        std::printf("%s: reading or resolving failed (%d, %u entries, %u missing)\n", c.name, nResult,
                    static_cast<unsigned>(opened.arrEntries.size()), static_cast<unsigned>(opened.arrMissing.size()));
        return false;
    }
    const double openMs = Median(arrOpenMs);
    const double baselineMs = Median(arrBaselineMs);
    std::printf("%s: %.1f ms, baseline %.1f ms, ratio %.2f\n", c.name, openMs, baselineMs, openMs / baselineMs);
    return true;
}

// What one GetShortPathNameW call per entry costs in the same folder.
void PrintSystemShortNameCost(const Case& c, double writeMsPerEntry)
{
    const int nCalls = 200;
    const double ms = TimeMs([&] {
        wchar_t szShort[MAX_PATH];
        for (int i = 0; i < nCalls; ++i) {
            std::wstring strEntry = c.arrEntries[i * c.arrEntries.size() / nCalls];
            std::transform(strEntry.begin(), strEntry.end(), strEntry.begin(), ::towupper);
            ::GetShortPathNameW(strEntry.c_str(), szShort, MAX_PATH);
        }
    });
    std::printf("%s: GetShortPathNameW %.3f ms per entry (%d calls), writer %.4f ms per entry\n", c.name,
                ms / nCalls, nCalls, writeMsPerEntry);
}

}

int wmain()
{
    wchar_t szTemp[MAX_PATH];
    if (!::GetTempPathW(MAX_PATH, szTemp)) return 1;
    const std::wstring strRoot =
        szTemp + (L"wava_playlist_bench_" + std::to_wstring(::GetCurrentProcessId()));
    RemoveTree(strRoot);

    Case one = {"write-5000-one-folder", 1, 5000, {}, {}};
    Case twenty = {"write-10000-20-folders", 20, 500, {}, {}};
    const double oneMs = Run(strRoot, one);
    if (oneMs >= 0) PrintSystemShortNameCost(one, oneMs / one.arrEntries.size());
    Case addTo = {"add-to-20000", 20, 2000, {}, {}};
    Case open = {"open-20000", 200, 100, {}, {}};
    const bool bOk = Run(strRoot, twenty) >= 0 && oneMs >= 0 && RunAddTo(strRoot, addTo) && RunOpen(strRoot, open);
    RemoveTree(strRoot);
    return bOk ? 0 : 1;
}

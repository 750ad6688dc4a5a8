// Folders and expected texts for the playlist file tests. They use the
// drives F: (removable) and L: (a tiny disk that fills up) only.
#pragma once

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

// A fresh, empty folder for one test: F:\pf\<name>.
inline std::wstring FreshFolder(const std::wstring& strName, const std::wstring& strDrive = L"F:")
{
    const std::wstring strFolder = strDrive + L"\\pf\\" + strName;
    RemoveTree(strFolder);
    EXPECT_TRUE(MakeFolders(strFolder)) << "cannot create the test folder";
    return strFolder;
}

inline std::wstring UpperAscii(std::wstring str)
{
    for (wchar_t& c : str) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    return str;
}

inline std::string AnsiOf(const std::wstring& str)
{
    const int n = ::WideCharToMultiByte(CP_ACP, 0, str.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string strOut(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) ::WideCharToMultiByte(CP_ACP, 0, str.c_str(), -1, &strOut[0], n, nullptr, nullptr);
    return strOut;
}

// What the system itself answers for an existing path.
inline std::wstring SystemShortPath(const std::wstring& strPath)
{
    wchar_t sz[MAX_PATH] = {};
    const DWORD n = ::GetShortPathNameW(strPath.c_str(), sz, MAX_PATH);
    EXPECT_TRUE(n > 0 && n < MAX_PATH) << "no short form for an existing path";
    return sz;
}

inline std::vector<std::string> SplitCrLf(const std::string& strBytes)
{
    std::vector<std::string> arrLines;
    size_t nStart = 0;
    for (size_t nEnd; (nEnd = strBytes.find("\r\n", nStart)) != std::string::npos; nStart = nEnd + 2)
        arrLines.push_back(strBytes.substr(nStart, nEnd - nStart));
    if (nStart < strBytes.size()) arrLines.push_back(strBytes.substr(nStart) + "<no CR LF>");
    return arrLines;
}

// The names of the writer's temporary files left in a folder.
inline std::vector<std::wstring> TemporaryFilesIn(const std::wstring& strFolder)
{
    std::vector<std::wstring> arrNames;
    WIN32_FIND_DATAW data;
    HANDLE hFind = ::FindFirstFileW((strFolder + L"\\PL*.TMP").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE) return arrNames;
    do arrNames.push_back(data.cFileName);
    while (::FindNextFileW(hFind, &data));
    ::FindClose(hFind);
    return arrNames;
}

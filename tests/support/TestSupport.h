// Helpers shared by the test programs and benchmarks: files and folders on
// the test drives, the program's own folder, the thread's messages and the
// pictures of icons.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

// Removes a folder with everything below it; a missing folder is fine.
inline void RemoveTree(const std::wstring& strFolder)
{
    WIN32_FIND_DATAW data;
    HANDLE hFind = ::FindFirstFileW((strFolder + L"\\*").c_str(), &data);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring strName = data.cFileName;
            if (strName == L"." || strName == L"..") continue;
            const std::wstring strPath = strFolder + L"\\" + strName;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(strPath);
            } else {
                ::SetFileAttributesW(strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(strPath.c_str());
            }
        } while (::FindNextFileW(hFind, &data));
        ::FindClose(hFind);
    }
    ::RemoveDirectoryW(strFolder.c_str());
}

// Creates every missing folder along the path.
inline bool MakeFolders(const std::wstring& strFolder)
{
    if (::PathIsDirectoryW(strFolder.c_str())) return true;
    std::wstring strParent = strFolder;
    const size_t nSlash = strParent.find_last_of(L'\\');
    if (nSlash != std::wstring::npos && nSlash > 2) {
        strParent.resize(nSlash);
        if (!MakeFolders(strParent)) return false;
    }
    return ::CreateDirectoryW(strFolder.c_str(), nullptr) != FALSE;
}

// Replaces the file's content with the given bytes; false when that fails.
inline bool WriteBytes(const std::wstring& strPath, const std::string& strBytes)
{
    HANDLE h = ::CreateFileW(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD nWritten = 0;
    const BOOL bOk = strBytes.empty() ||
                     ::WriteFile(h, strBytes.data(), static_cast<DWORD>(strBytes.size()), &nWritten, nullptr);
    ::CloseHandle(h);
    return bOk && nWritten == strBytes.size();
}

// The file's bytes; bOk tells a missing or unreadable file from an empty one.
inline std::string ReadBytes(const std::wstring& strPath, bool* pbOk = nullptr)
{
    std::string strBytes;
    // Another program may still be writing the file (a log, say).
    HANDLE h = ::CreateFileW(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (pbOk) *pbOk = h != INVALID_HANDLE_VALUE;
    if (h == INVALID_HANDLE_VALUE) return strBytes;
    char buffer[4096];
    DWORD nRead = 0;
    while (::ReadFile(h, buffer, sizeof(buffer), &nRead, nullptr) && nRead > 0) strBytes.append(buffer, nRead);
    ::CloseHandle(h);
    return strBytes;
}

// The folder of the running test program, without a trailing backslash.
inline std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    ::PathRemoveFileSpecW(path);
    return path;
}

// Runs the test thread's messages until none is waiting.
inline void PumpMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// Where a dialog's control stands in the dialog's client area.
inline RECT ControlRect(HWND hDlg, int id)
{
    RECT rc = {};
    ::GetWindowRect(::GetDlgItem(hDlg, id), &rc);
    ::MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// The pixels of what draw paints on a white square of size x size pixels:
// pictures compared where the indices of two image lists say nothing.
inline std::vector<DWORD> DrawnPixels(int size, const std::function<void(HDC)>& draw)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC hDc = ::CreateCompatibleDC(nullptr);
    HBITMAP hBitmap = ::CreateDIBSection(hDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<DWORD> pixels;
    if (hDc && hBitmap) {
        HGDIOBJ hOld = ::SelectObject(hDc, hBitmap);
        ::PatBlt(hDc, 0, 0, size, size, WHITENESS);
        draw(hDc);
        ::GdiFlush();
        const DWORD* first = static_cast<const DWORD*>(bits);
        pixels.assign(first, first + size * size);
        ::SelectObject(hDc, hOld);
    }
    if (hBitmap) ::DeleteObject(hBitmap);
    if (hDc) ::DeleteDC(hDc);
    return pixels;
}

inline std::vector<DWORD> IconPixels(HICON hIcon, int size)
{
    return DrawnPixels(size, [&](HDC hDc) { ::DrawIconEx(hDc, 0, 0, hIcon, size, size, 0, nullptr, DI_NORMAL); });
}

inline std::vector<DWORD> ImagePixels(HIMAGELIST hList, int index)
{
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(hList, &cx, &cy);
    return DrawnPixels(cx, [&](HDC hDc) { ::ImageList_Draw(hList, index, hDc, 0, 0, ILD_NORMAL); });
}

// Two pictures alike but for the rounding of blended edges, which differs
// between drawing an icon and drawing its copy in an image list.
inline bool SamePicture(const std::vector<DWORD>& first, const std::vector<DWORD>& second)
{
    if (first.empty() || first.size() != second.size()) return false;
    for (size_t i = 0; i < first.size(); ++i) {
        for (int shift = 0; shift < 24; shift += 8) {
            int a = static_cast<int>((first[i] >> shift) & 0xFF);
            int b = static_cast<int>((second[i] >> shift) & 0xFF);
            if (a - b > 4 || b - a > 4) return false;
        }
    }
    return true;
}

// For the benchmarks: a monotonic clock in milliseconds, and the median of
// several runs, which one disturbed run does not move.
inline double NowMs()
{
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

#include "TestFolders.h"

bool MakeFile(const std::wstring& path)
{
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    ::CloseHandle(h);
    return true;
}

std::wstring MakeFolder(const std::wstring& name, std::initializer_list<const wchar_t*> files)
{
    std::wstring folder = std::wstring(kTestRoot) + L"\\" + name;
    ::CreateDirectoryW(folder.c_str(), nullptr);
    // A file that could not be made shows up as a difference in the list.
    for (const wchar_t* file : files) MakeFile(folder + L"\\" + file);
    return folder;
}

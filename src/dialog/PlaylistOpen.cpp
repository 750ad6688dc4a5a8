#include "dialog/PlaylistOpen.h"
#include "framework/Raii.h"

#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>

namespace {

CComPtr<IShellItem> ShellItemOf(const wchar_t* path)
{
    CComPtr<IShellItem> item;
    if (FAILED(::SHCreateItemFromParsingName(path, nullptr, IID_IShellItem, item.ReceiveVoid()))) item.Reset();
    return item;
}

bool ChosenPath(IFileOpenDialog* dialog, std::wstring& path)
{
    CComPtr<IShellItem> result;
    if (FAILED(dialog->GetResult(result.Receive()))) return false;
    wchar_t* chosen = nullptr;
    if (FAILED(result->GetDisplayName(SIGDN_FILESYSPATH, &chosen)) || !chosen) return false;
    path = chosen;
    ::CoTaskMemFree(chosen);
    return true;
}

}

bool AskPlaylistToOpen(HWND hOwner, const wchar_t* startFolder, const std::wstring& filterText,
                       std::wstring& path)
{
    CComPtr<IFileOpenDialog> dialog;
    if (FAILED(::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                  dialog.ReceiveVoid())))
        return false;
    const COMDLG_FILTERSPEC filter = {filterText.c_str(), L"*.m3u"};
    dialog->SetFileTypes(1, &filter);
    dialog->SetDefaultExtension(L"m3u");
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_FORCEFILESYSTEM | FOS_FILEMUSTEXIST | FOS_PATHMUSTEXIST | FOS_NOCHANGEDIR);
    // The folder is forced, not a default: the player's playlists are the
    // point, wherever the dialog was last used.
    if (CComPtr<IShellItem> folder = ShellItemOf(startFolder)) dialog->SetFolder(folder.Get());
    if (FAILED(dialog->Show(hOwner))) return false;
    return ChosenPath(dialog.Get(), path);
}

std::wstring PlaylistNameOfFile(const std::wstring& path)
{
    std::wstring name = ::PathFindFileNameW(path.c_str());
    const wchar_t* extension = ::PathFindExtensionW(name.c_str());
    if (::lstrcmpiW(extension, L".m3u") == 0) name.resize(static_cast<size_t>(extension - name.c_str()));
    return name;
}

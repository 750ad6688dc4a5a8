// Test programs of the lists: the resource module provides the texts of the
// boxes and their caption, as it does for the program.
#include "framework/App.h"
#include "framework/MessageBox.h"
#include "framework/Strings.h"
#include "res/resource_ids.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <shlwapi.h>

int wmain(int argc, wchar_t** argv)
{
    testing::InitGoogleTest(&argc, argv);
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);

    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    ::PathRemoveFileSpecW(path);
    ::PathAppendW(path, L"..\\bin\\ZKWAPlRs.crl");
    HMODULE hResources = ::LoadLibraryW(path);
    if (!hResources) {
        fwprintf(stderr, L"cannot load %ls\n", path);
        return 2;
    }
    SetResourceModule(hResources);
    g_strMsgCaption = LoadResString(IDS_MSG_CAPTION);
    int result = RUN_ALL_TESTS();
    SetResourceModule(nullptr);
    ::FreeLibrary(hResources);
    return result;
}

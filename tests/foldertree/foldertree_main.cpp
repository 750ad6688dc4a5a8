// Test program of the folder tree: the shell namespace needs COM, and the
// tree and source list need the common controls.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <objbase.h>

int wmain(int argc, wchar_t** argv)
{
    testing::InitGoogleTest(&argc, argv);
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    if (FAILED(::CoInitialize(nullptr))) return 2;
    int result = RUN_ALL_TESTS();
    ::CoUninitialize();
    return result;
}

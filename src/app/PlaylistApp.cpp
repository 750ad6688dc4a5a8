#include "app/PlaylistApp.h"
#include "dialog/PlaylistDlg.h"
#include "framework/MessageBox.h"
#include "framework/Raii.h"
#include "framework/Strings.h"
#include "handoff/HandOff.h"
#include "res/resource_ids.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlwapi.h>
#include <vector>

const wchar_t CPlaylistApp::kLoadFailureCaption[] = L"Vantorel Playlist in Wava";
const wchar_t CPlaylistApp::kResourceModuleName[] = L"ZKWAPlRs.crl";

CPlaylistApp::CPlaylistApp()
{
    SetAppDeviceFields(&m_device);
}

CPlaylistApp::~CPlaylistApp()
{
    SetAppDeviceFields(nullptr);
}

// Start-up: every step that fails ends it; the main dialog's modal loop is
// the program's only message loop.
void CPlaylistApp::InitInstance()
{
    if (IsWaitDialogPresent()) return;
    if (!HandOffToRunningInstance()) return;
    if (!LoadResourceModule()) return;

    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                                                 ICC_STANDARD_CLASSES};
    ::InitCommonControls();
    ::InitCommonControlsEx(&icc);

    g_strMsgCaption = LoadResString(IDS_MSG_CAPTION);

    ::CoInitialize(nullptr);
    m_messageFilter.Register();

    RunMainDialog();
}

int CPlaylistApp::ExitInstance()
{
    if (m_atomDeviceRoot) {
        ::GlobalDeleteAtom(m_atomDeviceRoot);
        m_atomDeviceRoot = 0;
    }
    if (m_hResModule) {
        SetResourceModule(nullptr);
        m_hResModule.Reset();
    }
    m_messageFilter.Revoke();
    ::CoUninitialize();
    return CAppBase::ExitInstance();
}

void CPlaylistApp::RunMainDialog()
{
    CPlaylistDlg dlg;
    dlg.DoModal();
}

StartMode CPlaylistApp::ParseCommandLine()
{
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (!argv) {
        m_device = CDeviceFields();
        return kStartNothing;
    }
    StartMode mode = ParseCommandLineArgs(argc, argv, m_device);
    ::LocalFree(argv);
    return mode;
}

// Asks the running instances about this start. Under "-Q" no atom is made:
// the table would give none for the empty device text, and a close request
// does not read one.
BOOL CPlaylistApp::HandOffToRunningInstance()
{
    CWaitCursor wait;
    m_atomDeviceRoot = 0;
    StartMode mode = ParseCommandLine();
    if (mode != kStartDevice && mode != kStartCloseAll) return FALSE;

    if (mode == kStartDevice) {
        m_atomDeviceRoot = ::GlobalAddAtomW(m_device.m_szDeviceRoot);
        if (!m_atomDeviceRoot) return FALSE;
    }

    std::vector<HWND> windows;
    FindPlaylistWindows(windows);
    UINT shareMsg = ::RegisterWindowMessageW(kShareMessageName);

    if (mode == kStartCloseAll) {
        for (HWND hWnd : windows) ::SendMessageW(hWnd, shareMsg, kShareCloseRequest, 0);
        return FALSE;
    }
    for (HWND hWnd : windows) {
        if (::SendMessageW(hWnd, shareMsg, kShareAskSameRoot, m_atomDeviceRoot) == kShareReplyYes) {
            ActivateInstanceWindow(hWnd);
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CPlaylistApp::LoadResourceModule()
{
    wchar_t path[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameW(Instance(), path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return FALSE;
    ::PathRemoveFileSpecW(path);
    if (!::PathAppendW(path, kResourceModuleName)) return FALSE;

    m_hResModule.Reset(::LoadLibraryW(path));
    if (m_hResModule) {
        SetResourceModule(m_hResModule.Get());
        return TRUE;
    }
    // Taken at once: building the box's texts allocates, which may reset it.
    const DWORD loadError = ::GetLastError();
    AppMessageBox(nullptr, SystemErrorText(loadError), kLoadFailureCaption, MB_OK | MB_ICONINFORMATION);
    return FALSE;
}

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
    const StartDecision decision = HandOffToRunningInstance();
    if (decision == StartDecision::kEnd) return;
    if (!LoadResourceModule()) return;

    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                                                 ICC_STANDARD_CLASSES};
    ::InitCommonControls();
    ::InitCommonControlsEx(&icc);

    g_strMsgCaption = LoadResString(IDS_MSG_CAPTION);
    if (decision == StartDecision::kCannotServe) {
        TellDriveNotAnswering();
        return;
    }

    // OLE, not only COM: the playlist takes drops from other programs.
    m_bOleInitialised = SUCCEEDED(::OleInitialize(nullptr));
    m_messageFilter.Register();

    RunMainDialog();
}

int CPlaylistApp::ExitInstance()
{
    m_startLock.Release();
    m_servingLock.Release();
    if (m_atomDeviceRoot) {
        ::GlobalDeleteAtom(m_atomDeviceRoot);
        m_atomDeviceRoot = 0;
    }
    if (m_hResModule) {
        SetResourceModule(nullptr);
        m_hResModule.Reset();
    }
    m_messageFilter.Revoke();
    // Only a successful initialisation is balanced: a start that ended early
    // never made one.
    if (m_bOleInitialised) ::OleUninitialize();
    m_bOleInitialised = false;
    return CAppBase::ExitInstance();
}

void CPlaylistApp::RunMainDialog()
{
    CPlaylistDlg dlg;
    // Marked and answering once initialised: from then on
    // a later start for the drive finds this window and hands off to it.
    dlg.NotifyWhenReady([this] { m_startLock.Release(); });
    dlg.DoModal();
    m_startLock.Release();
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

namespace {
// A start for a drive waits this long for another start for the same drive,
// which either serves the drive or hands off to the instance that does. One
// that cannot wait longer never serves: a second window for the drive would
// let two saves race on one playlist.
const DWORD kStartLockWaitMs = 5000;
// An instance that no longer claims its drive, yet still serves it, is
// ending: it lets go within moments. A busy one keeps it longer than this.
const DWORD kServingLockWaitMs = 2000;
}  // namespace

// Asks the running instances about this start. Under "-Q" no atom is made:
// the table would give none for the empty device text, and a close request
// does not read one.
CPlaylistApp::StartDecision CPlaylistApp::HandOffToRunningInstance()
{
    CWaitCursor wait;
    m_atomDeviceRoot = 0;
    StartMode mode = ParseCommandLine();
    if (mode == kStartCloseAll) CloseRunningInstances();
    if (mode != kStartDevice) return StartDecision::kEnd;

    // Without the start lock another start for the drive is deciding (or
    // stopped while deciding): this one may hand off, but never serve. The
    // serving lock is tried at once, and waited for only when no window
    // claims the drive: then its owner may be ending.
    const wchar_t* root = m_device.m_szDeviceRoot;
    const bool decides = m_startLock.Acquire(root, kStartLockWaitMs) != CDriveLock::kBusy;
    bool mayServe = decides && m_servingLock.Acquire(root, 0) != CDriveLock::kBusy;
    m_atomDeviceRoot = ::GlobalAddAtomW(root);
    if (!m_atomDeviceRoot) return StartDecision::kEnd;
    // Asked even when this start may serve: a window of an instance that
    // holds no serving lock may still claim the drive.
    if (!AskRunningInstances()) return StartDecision::kEnd;
    if (decides && !mayServe) mayServe = m_servingLock.Acquire(root, kServingLockWaitMs) != CDriveLock::kBusy;
    // A busy instance looks like a hung one: its drive gets no second window.
    return mayServe ? StartDecision::kServe : StartDecision::kCannotServe;
}

// A start that can neither serve its drive nor reach the instance that
// serves it says so, naming the drive, instead of ending without a word.
// Later starts for the drive need not wait for the box.
void CPlaylistApp::TellDriveNotAnswering()
{
    m_startLock.Release();
    const std::wstring drive(m_device.m_szDeviceRoot, 2);
    AppMessageBox(nullptr, FormatPlaceholders(LoadResString(IDS_DRIVE_NOT_ANSWERING), {drive}), g_strMsgCaption,
                  MB_OK | MB_ICONINFORMATION);
}

// A close request takes no drive's lock: it serves no drive, and a start
// that has no window yet is not running.
void CPlaylistApp::CloseRunningInstances()
{
    std::vector<HWND> windows;
    FindPlaylistWindows(windows);
    for (HWND hWnd : windows) SendShareMessage(hWnd, kShareCloseRequest, 0);
}

BOOL CPlaylistApp::AskRunningInstances()
{
    std::vector<HWND> windows;
    FindPlaylistWindows(windows);
    for (HWND hWnd : windows) {
        if (SendShareMessage(hWnd, kShareAskSameRoot, m_atomDeviceRoot) == kShareReplyYes) {
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
    // The start is over: later starts for the drive need not wait for the box.
    m_startLock.Release();
    m_servingLock.Release();
    AppMessageBox(nullptr, SystemErrorText(loadError), kLoadFailureCaption, MB_OK | MB_ICONINFORMATION);
    return FALSE;
}

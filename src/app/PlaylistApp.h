// The application: start-up refuses or hands off, loads the resource module,
// runs the main dialog modally and shuts down in order.
#pragma once

#include "app/MessageFilter.h"
#include "framework/App.h"
#include "framework/Handles.h"
#include "handoff/CommandLine.h"
#include "handoff/DriveLock.h"
#include "res/wire_names.h"

class CPlaylistApp : public CAppBase {
public:
    CPlaylistApp();
    ~CPlaylistApp() override;

    const wchar_t* DeviceRoot() const { return m_device.m_szDeviceRoot; }
    const wchar_t* DeviceName() const { return m_device.m_szDeviceName; }
    const wchar_t* IconModule() const { return m_device.m_szIconModule; }
    int IconId() const { return m_device.m_nIconId; }

    // The caption of the one box shown before any resource is available.
    static const wchar_t kLoadFailureCaption[];
    static const wchar_t kResourceModuleName[];

protected:
    void InitInstance() override;
    int ExitInstance() override;

private:
    enum class StartDecision {
        kEnd,           // handed off, or nothing to serve: ends silently
        kServe,         // this start serves the drive with its own window
        kCannotServe,   // the drive is served (or being started) by an
                        // instance that does not answer: says so, and ends
    };

    StartMode ParseCommandLine();
    StartDecision HandOffToRunningInstance();
    BOOL AskRunningInstances();
    void TellDriveNotAnswering();
    void CloseRunningInstances();
    BOOL LoadResourceModule();
    void RunMainDialog();

    ATOM m_atomDeviceRoot = 0;
    CDeviceFields m_device;
    CModule m_hResModule;
    CMessageFilter m_messageFilter;
    bool m_bOleInitialised = false;
    // Held from before the search for running instances until this start's
    // window answers them, or the start ends.
    CDriveLock m_startLock{kStartLockNamePrefix};
    // Held while this instance serves its drive, from the start's decision
    // to the end of the process.
    CDriveLock m_servingLock{kServingLockNamePrefix};
};

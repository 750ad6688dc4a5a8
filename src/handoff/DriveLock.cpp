#include "handoff/DriveLock.h"

#include <string>

CDriveLock::Result CDriveLock::Acquire(const wchar_t* driveRoot, DWORD timeoutMs)
{
    Release();
    if (!driveRoot || !driveRoot[0]) return kUnavailable;
    const std::wstring name = std::wstring(m_namePrefix) + driveRoot[0];
    m_hMutex.Reset(::CreateMutexW(nullptr, FALSE, name.c_str()));
    // One made by an instance with higher rights exists but may not be
    // opened: that instance cannot be asked either, and its drive is taken.
    if (!m_hMutex) return ::GetLastError() == ERROR_ACCESS_DENIED ? kBusy : kUnavailable;
    switch (::WaitForSingleObject(m_hMutex.Get(), timeoutMs)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED:
        // Abandoned: an instance for this drive ended without letting go
        // (it crashed or was killed); whatever window it had went with it.
        m_bHeld = true;
        return kAcquired;
    case WAIT_TIMEOUT:
        m_hMutex.Reset();
        return kBusy;
    default:
        m_hMutex.Reset();
        return kUnavailable;
    }
}

void CDriveLock::Release()
{
    if (m_bHeld) ::ReleaseMutex(m_hMutex.Get());
    m_bHeld = false;
    m_hMutex.Reset();
}

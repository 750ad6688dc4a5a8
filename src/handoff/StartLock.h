// Serialises the starts for one drive across processes, so that of several
// starts at the same moment exactly one opens a window and the others find
// it and hand off.
#pragma once

#include "framework/Handles.h"

class CStartLock {
public:
    enum Result {
        kAcquired,      // held (also when a crashed start left it behind)
        kBusy,          // another start held it for the whole wait
        kUnavailable,   // no such lock could be made; the start goes on without
    };

    CStartLock() = default;
    ~CStartLock() { Release(); }
    CStartLock(const CStartLock&) = delete;
    CStartLock& operator=(const CStartLock&) = delete;

    // Waits at most timeoutMs for the lock of the drive whose root ("E:\")
    // is given. Release must come from the same thread.
    Result Acquire(const wchar_t* driveRoot, DWORD timeoutMs);
    // Lets the next start for the drive go on; harmless when not held.
    void Release();
    bool IsHeld() const { return m_bHeld; }

private:
    CKernelHandle m_hMutex;
    bool m_bHeld = false;
};

// A named mutex per drive, shared by every instance of the tool in the
// session. Two serve: the start lock serialises the starts for one drive, so
// that of several starts at the same moment exactly one decides to open a
// window and the others find it and hand off; the serving lock is held by
// the instance that serves the drive for its whole life, so that a start
// knows the drive is served even while that instance is too busy to answer.
#pragma once

#include "framework/Handles.h"

class CDriveLock {
public:
    enum Result {
        kAcquired,      // held (also when an instance that ended without
                        // letting go left it behind: that one is gone)
        kBusy,          // another instance held it for the whole wait
        kUnavailable,   // no such lock could be made; the start goes on without
    };

    // namePrefix: one of the lock name prefixes of res/wire_names.h.
    explicit CDriveLock(const wchar_t* namePrefix) : m_namePrefix(namePrefix) {}
    ~CDriveLock() { Release(); }
    CDriveLock(const CDriveLock&) = delete;
    CDriveLock& operator=(const CDriveLock&) = delete;

    // Waits at most timeoutMs for the lock of the drive whose root ("E:\")
    // is given. Release must come from the same thread.
    Result Acquire(const wchar_t* driveRoot, DWORD timeoutMs);
    // Lets the next instance for the drive have it; harmless when not held.
    void Release();
    bool IsHeld() const { return m_bHeld; }

private:
    const wchar_t* m_namePrefix;
    CKernelHandle m_hMutex;
    bool m_bHeld = false;
};

// The thread's COM message filter: incoming calls are always taken, and no
// busy or not-responding dialog is ever shown while an outgoing call waits.
#pragma once

#include <objbase.h>

class CMessageFilter final : public IMessageFilter {
public:
    // How long a call may be pending before it counts as not responding.
    static const DWORD kPendingDelayMs = 240000;

    // Puts the filter on the calling thread; Revoke takes it off again.
    bool Register();
    void Revoke();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }   // static lifetime
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD callType, HTASK caller, DWORD tickCount,
                                               LPINTERFACEINFO info) override;
    DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK callee, DWORD tickCount, DWORD rejectType) override;
    DWORD STDMETHODCALLTYPE MessagePending(HTASK callee, DWORD tickCount, DWORD pendingType) override;

private:
    IMessageFilter* m_pPrevious = nullptr;
    bool m_bRegistered = false;
};

#include "app/MessageFilter.h"

namespace {
const DWORD kRetryAfterMs = 100;
}

bool CMessageFilter::Register()
{
    if (m_bRegistered) return true;
    m_bRegistered = SUCCEEDED(::CoRegisterMessageFilter(this, &m_pPrevious));
    return m_bRegistered;
}

void CMessageFilter::Revoke()
{
    if (!m_bRegistered) return;
    IMessageFilter* pOurs = nullptr;
    ::CoRegisterMessageFilter(m_pPrevious, &pOurs);
    if (m_pPrevious) m_pPrevious->Release();
    m_pPrevious = nullptr;
    m_bRegistered = false;
}

HRESULT STDMETHODCALLTYPE CMessageFilter::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IMessageFilter)) {
        *ppv = static_cast<IMessageFilter*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

DWORD STDMETHODCALLTYPE CMessageFilter::HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO)
{
    return SERVERCALL_ISHANDLED;
}

// A busy callee is tried again quietly until the pending delay has passed;
// a rejected call is given up at once. No dialog either way.
DWORD STDMETHODCALLTYPE CMessageFilter::RetryRejectedCall(HTASK, DWORD tickCount, DWORD rejectType)
{
    if (rejectType == SERVERCALL_RETRYLATER && tickCount < kPendingDelayMs) return kRetryAfterMs;
    return static_cast<DWORD>(-1);
}

DWORD STDMETHODCALLTYPE CMessageFilter::MessagePending(HTASK, DWORD, DWORD)
{
    return PENDINGMSG_WAITDEFPROCESS;
}

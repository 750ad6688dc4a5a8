#include "lists/FileDropTarget.h"

#include <shellapi.h>

namespace {

FORMATETC FileListFormat()
{
    return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

std::vector<std::wstring> ReadFileList(IDataObject* data)
{
    std::vector<std::wstring> paths;
    FORMATETC format = FileListFormat();
    STGMEDIUM medium = {};
    if (!data || FAILED(data->GetData(&format, &medium))) return paths;
    if (HDROP hDrop = static_cast<HDROP>(::GlobalLock(medium.hGlobal))) {
        UINT count = ::DragQueryFileW(hDrop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            std::wstring path(::DragQueryFileW(hDrop, i, nullptr, 0) + 1, L'\0');
            path.resize(::DragQueryFileW(hDrop, i, &path[0], static_cast<UINT>(path.size())));
            paths.push_back(std::move(path));
        }
        ::GlobalUnlock(medium.hGlobal);
    }
    ::ReleaseStgMedium(&medium);
    return paths;
}

}

CFileDropTarget::CFileDropTarget(IPathDropTarget& target, UINT msg) : m_target(target), m_nMsg(msg)
{
}

CFileDropTarget::~CFileDropTarget()
{
    Revoke();
}

bool CFileDropTarget::Register()
{
    if (!m_bRegistered) m_bRegistered = SUCCEEDED(::RegisterDragDrop(m_target.DropWindow(), this));
    return m_bRegistered;
}

void CFileDropTarget::Revoke()
{
    if (m_bRegistered) ::RevokeDragDrop(m_target.DropWindow());
    m_bRegistered = false;
}

HRESULT STDMETHODCALLTYPE CFileDropTarget::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDropTarget) {
        *ppv = static_cast<IDropTarget*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

DWORD CFileDropTarget::EffectAt(POINTL pt, DWORD allowed)
{
    if (!m_bHoldsFiles || !(allowed & DROPEFFECT_COPY)) {
        m_target.HideInsertMark();
        return DROPEFFECT_NONE;
    }
    m_target.ShowInsertMark(m_target.DropIndexAt(POINT{pt.x, pt.y}));
    return DROPEFFECT_COPY;
}

HRESULT STDMETHODCALLTYPE CFileDropTarget::DragEnter(IDataObject* data, DWORD, POINTL pt, DWORD* effect)
{
    FORMATETC format = FileListFormat();
    m_bHoldsFiles = data && data->QueryGetData(&format) == S_OK;
    *effect = EffectAt(pt, *effect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CFileDropTarget::DragOver(DWORD, POINTL pt, DWORD* effect)
{
    *effect = EffectAt(pt, *effect);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE CFileDropTarget::DragLeave()
{
    m_target.HideInsertMark();
    m_bHoldsFiles = false;
    return S_OK;
}

// The other program waits in its drag until this returns: the paths are
// only read here, and the playlist takes them once the posted index arrives.
HRESULT STDMETHODCALLTYPE CFileDropTarget::Drop(IDataObject* data, DWORD, POINTL pt, DWORD* effect)
{
    *effect = EffectAt(pt, *effect);
    int index = m_target.DropIndexAt(POINT{pt.x, pt.y});
    m_target.HideInsertMark();
    m_bHoldsFiles = false;
    if (*effect == DROPEFFECT_NONE) return S_OK;
    m_arrDropped = ReadFileList(data);
    ::PostMessageW(m_hNotify, m_nMsg, static_cast<WPARAM>(index), 0);
    return S_OK;
}

// Files and folders dragged onto the playlist from other programs (a file
// list through OLE drag and drop). While such a drag is over the playlist it
// shows where they would go in, with the same mark and index as a drag of
// our own; a drop keeps the paths and posts the index to the notify window.
#pragma once

#include "lists/PathDropTarget.h"

#include <ole2.h>

#include <string>
#include <vector>

class CFileDropTarget final : public IDropTarget {
public:
    // msg is posted to the notify window on a drop, with wParam the index.
    CFileDropTarget(IPathDropTarget& target, UINT msg);
    ~CFileDropTarget();
    CFileDropTarget(const CFileDropTarget&) = delete;
    CFileDropTarget& operator=(const CFileDropTarget&) = delete;

    void SetNotifyWnd(HWND hWnd) { m_hNotify = hWnd; }
    // Needs OLE on the thread; false without it. Revoked by the destructor
    // at the latest, which must come before the window goes.
    bool Register();
    void Revoke();

    // The full paths of the last drop, in the order the other program gave.
    const std::vector<std::wstring>& DroppedPaths() const { return m_arrDropped; }

    // Owned by its window's owner, which revokes it before it goes.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;

private:
    // Copies, or nothing when the drag holds no file list.
    DWORD EffectAt(POINTL pt, DWORD allowed);

    IPathDropTarget& m_target;
    HWND m_hNotify = nullptr;
    UINT m_nMsg;
    bool m_bRegistered = false;
    bool m_bHoldsFiles = false;
    std::vector<std::wstring> m_arrDropped;
};

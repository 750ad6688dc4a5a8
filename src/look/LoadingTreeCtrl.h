// A tree view that fills an item's children the moment the user expands it.
// While a derived class fills them, the tree shows a "Loading..." child with
// redrawing off, paints a snapshot of itself when uncovered, and runs a
// worker thread that reports progress through OnLoadingStep.
#pragma once

#include "framework/Raii.h"
#include "framework/TreeView.h"

#include <atomic>
#include <string>

class CLoadingTreeCtrl : public CTreeView {
public:
    CLoadingTreeCtrl();
    ~CLoadingTreeCtrl() override;

    const std::wstring& LoadingText() const { return m_strLoading; }

protected:
    // Called on the user-interface thread before the worker starts.
    virtual void OnLoadingStart(HTREEITEM hPlaceholder);
    // Called on the worker thread after each wake-up: bTick when the tick
    // event woke it, otherwise a progress report or a repaint did. It must
    // not wait for the user-interface thread, which is blocked on the worker.
    virtual void OnLoadingStep(BOOL bTick, int nPhase, int nCount);
    // Called on the user-interface thread after the worker has ended.
    virtual void OnLoadingEnd();
    // TRUE discards an item's children when it collapses, and when it is
    // expanded again fills it anew.
    virtual BOOL NeedRefresh(HTREEITEM hItem);
    // Inserts the children of hItem. TRUE: they are final, and an item
    // without any loses its expand button. FALSE: the button stays, so that
    // an item without children can be expanded (and filled) again.
    virtual BOOL FillChildren(HTREEITEM hItem) = 0;
    virtual BOOL RefillChildren(HTREEITEM hItem) = 0;
    virtual BOOL ShowSelectedFolder(HTREEITEM hItem) = 0;
    virtual void UpdateCaption() = 0;

    // Progress of a fill; each report wakes the worker.
    void SetProgress(int nPhase, int nCount);
    void AddProgress(int n);
    int GetProgress(int* pnPhase) const;

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnReflectedNotify(NMHDR* header, LRESULT& result) override;
    BOOL OnEraseBkgnd(HDC hDc);
    // Keeps the selected item plainly marked while another control has the
    // focus.
    LRESULT OnCustomDraw(NMTVCUSTOMDRAW& draw) const;

private:
    void PrepareExpand(HTREEITEM hItem);
    void FinishExpand(HTREEITEM hItem);
    void StartLoadingThread();
    // Ends what StartLoadingThread began; does nothing the second time.
    void StopLoadingThread();
    static DWORD WINAPI LoadingThreadProc(void* pParam);
    // Sets the wake event unless the worker has not yet taken the last
    // one: it reads the latest values when it runs, so reports made in the
    // meantime need no signal of their own.
    void Wake();
    void DeleteChildItems(HTREEITEM hItem);
    // 1 shows the expand button, 0 hides it.
    void SetChildrenFlag(HTREEITEM hItem, int cChildren);
    void SaveBackground();
    void DrawBackground(HDC hDc);
    void DeleteBackground();

    CKernelHandle m_hThread;
    CKernelHandle m_hTickEvent;
    CKernelHandle m_hWakeEvent;
    // Shared with the worker; written before the wake event is set.
    std::atomic<LONG> m_bStopThread{0};
    std::atomic<LONG> m_nProgressCount{0};
    std::atomic<LONG> m_nProgressPhase{0};
    std::atomic<LONG> m_bWakePending{0};
    // From OnLoadingStart to OnLoadingEnd.
    bool m_bLoading = false;
    bool m_bHaveBackground = false;
    CBitmap m_bmpBackground;
    std::wstring m_strLoading;
    HTREEITEM m_hPlaceholder = nullptr;
    // Null when the current expansion needs no fill.
    HTREEITEM m_hExpandingItem = nullptr;
};

// The audio files of the folder shown in the folder tree (control 1021 of the
// main dialog): one owner-data item per file, full paths kept here.
#pragma once

#include "framework/ListView.h"
#include "framework/Raii.h"
#include "lists/ItemTipSink.h"
#include "lists/ListCommon.h"
#include "lists/PathDropTarget.h"

#include <string>
#include <vector>

class CSourceListCtrl : public CListView {
public:
    CSourceListCtrl();

    // The window that receives the posted notifications; null is refused.
    BOOL SetNotifyWnd(HWND hWnd);

    // Replaces the list with the ".mp3", ".wma" and ".wav" files of folder,
    // in the file system's order. A null or empty folder changes nothing and
    // answers FALSE; a folder that no longer exists empties the list and
    // answers FALSE.
    BOOL FillFromFolder(const wchar_t* folder);

    // Appends the paths of the selected items in list order. Answers the
    // selected count, 0 when none, -1 when the control reports a selection
    // that cannot be walked.
    int GetSelectedPaths(std::vector<std::wstring>& out) const;
    // Appends every path in list order; answers how many.
    int GetAllPaths(std::vector<std::wstring>& out) const;

    // A click on the item's tip: Ctrl toggles the item, Shift adds it, a
    // plain click selects only it and focuses the list.
    void SelectItemByClick(int item);
    void ClearSelection();

    const std::vector<std::wstring>& Paths() const { return m_arrPaths; }

    // Receives the item under the pointer while no drag is under way.
    void SetTipSink(IItemTipSink* pSink) { m_pTipSink = pSink; }

    // Where a drag of this list's items can be dropped; null: nowhere.
    void SetDropTarget(IPathDropTarget* pTarget) { m_pDropTarget = pTarget; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnReflectedNotify(NMHDR* header, LRESULT& result) override;

private:
    void ShowNewContent();
    bool OnKeyDown(WPARAM key);

    void BeginSourceDrag();
    void TrackSourceDrag(POINT pt);
    void DropSourceDrag(POINT pt);
    // What is left of a drag that the hand-off has ended.
    void EndSourceDrag();
    void UpdateItemTip(POINT pt);
    // Tells the tip sink about item (-1: none) under the pointer.
    void ReportHoverItem(int item);
    // The list's files changed or it scrolled: the item last reported is no
    // longer under the pointer.
    void ForgetHoverItem();
    POINT ViewOrigin() const;

    CNotifyTarget m_notifyTarget;
    // Drag image of a drag out of this list; only exists while it lasts.
    CImageList m_dragImage;
    std::vector<std::wstring> m_arrPaths;
    IItemTipSink* m_pTipSink = nullptr;
    IPathDropTarget* m_pDropTarget = nullptr;
};

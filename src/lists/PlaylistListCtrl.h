// The playlist being built (control 1022 of the main dialog): the view of
// the playlist model, one owner-data item per entry. The user selects in the
// control; every edit reads that selection into the model, lets the model
// change, and shows what the model reports.
#pragma once

#include "framework/ListView.h"
#include "framework/Raii.h"
#include "lists/ListCommon.h"
#include "lists/MissingEntries.h"
#include "playlist/ListEditing.h"
#include "lists/PathDropTarget.h"
#include "playlist/PlaylistModel.h"

#include <functional>

#include <string>
#include <vector>

class CPlaylistListCtrl : public CListView, public IPathDropTarget, private IPlaylistView {
public:
    CPlaylistListCtrl() = default;
    ~CPlaylistListCtrl() override;

    // The model shown; it must outlive the control's window.
    void SetModel(CPlaylistModel* pModel);
    CPlaylistModel& Model() const { return *m_pModel; }
    // Runs an edit of the model with the selection the user made; false
    // when the control's selection cannot be read or the edit did nothing.
    bool Edit(const std::function<bool(CPlaylistModel&)>& edit);

    // The window that receives the posted notifications; null is refused.
    BOOL SetNotifyWnd(HWND hWnd);

    // Appends arr and selects only its first entry. Nothing to add shows the
    // "nothing to add" box and answers FALSE.
    BOOL AddEntries(const std::vector<std::wstring>& arr);
    // Inserts arr at index (appends when index is past the end or negative)
    // and selects exactly the inserted entries. Silent FALSE when arr is empty.
    // The playlist keeps the strings: a caller done with them moves them in.
    BOOL InsertEntries(int index, std::vector<std::wstring> arr);
    // Removes the selected entries and selects the entry that followed them.
    // No selection shows the "nothing to remove" box and answers FALSE.
    BOOL RemoveSelectedEntries();
    // Empties the playlist; on an empty one shows the "nothing to remove" box.
    BOOL RemoveAllEntries();
    // Moves the selected entries one place as one block and keeps them
    // selected. Answers how many moved, 0 without a selection, -1 when the
    // control reports a selection that cannot be walked.
    int MoveSelectedEntries(BOOL up);

    void DeselectAll();

    const std::vector<std::wstring>& Paths() const { return m_pModel->Paths(); }

    // The entries with these paths are shown as missing from now on.
    void SetMissingPaths(const std::vector<std::wstring>& paths);
    const CMissingEntries& Missing() const { return m_missing; }
    // Removes every missing entry in one edit; false when there is none.
    BOOL RemoveMissingEntries();

    // The insertion mark of a drag: a black bar, 2 pixels at 96 DPI, over
    // the top of entry index, or under the last entry when index is the
    // entry count.
    void ShowInsertMark(int index) override;
    void HideInsertMark() override;
    // A drop of source items lands on this list, where GetTargetIndex says.
    HWND DropWindow() const override { return Hwnd(); }
    int DropIndexAt(POINT screen) const override;
    // Where the mark stands; false while it is hidden.
    bool GetInsertMark(RECT& rc) const;
    // The insertion index for a drop at pt (client coordinates): as for a
    // drop from the source list over an entry; over no entry, the end when pt
    // is an entry's height or more below the top, else the top.
    int GetDropIndex(POINT pt) const;
    // index is one of the entries being dragged inside the list.
    BOOL IsDraggedItem(int index) const;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnReflectedNotify(NMHDR* header, LRESULT& result) override;

private:
    // An edit of thousands of entries changes thousands of item states. While
    // it runs, the control neither repaints per item (it repaints the whole
    // list once at the end) nor has its per-item change notifications posted:
    // one change notification is posted at the end instead, and the dialog,
    // which re-reads the lists on each, ends in the same state.
    class CBatch {
    public:
        explicit CBatch(CPlaylistListCtrl& list);
        ~CBatch();
        CBatch(const CBatch&) = delete;
        CBatch& operator=(const CBatch&) = delete;

        // Scrolls item into view at the end: without redrawing the control
        // does not update its scroll range, so it could not reach new items.
        void ScrollTo(size_t item, BOOL partialOk);

    private:
        CPlaylistListCtrl& m_list;
        int m_nScrollItem = -1;
        BOOL m_bPartialOk = FALSE;
    };

    void OnPlaylistChanged(const CPlaylistChange& change) override;
    // The selected indices, ascending, into out. Answers the selected count,
    // 0 or -1 as above; then out is unchanged.
    int CollectSelection(CIndexArray& out) const;
    // The model's selection into the control.
    void ShowSelection(bool withFocus);
    bool ReadSelection();
    void UpdateItemCount() const;

    void BeginInternalDrag();
    // The insertion index for the pointer at pt; above the list's top edge
    // that is the top.
    int DragIndexAt(POINT pt) const;
    void TrackInternalDrag(POINT pt);
    void DropInternalDrag(POINT pt);
    // What is left of a drag that the hand-off has ended: the mark.
    void EndInternalDrag();
    LRESULT OnPaint(UINT msg, WPARAM wParam, LPARAM lParam);

    CNotifyTarget m_notifyTarget;
    // Drag inside the list: the entries dragged, as selected when it began.
    CIndexArray m_arrDragged;
    CImageList m_dragImage;
    RECT m_rcInsertMark = {};
    BOOL m_bInsertMarkHidden = TRUE;
    CPlaylistModel* m_pModel = nullptr;
    CMissingEntries m_missing;

    int m_nBatchDepth = 0;
    bool m_bChangedInBatch = false;
    bool m_bHiddenInBatch = false;
};

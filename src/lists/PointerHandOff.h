// The pointer's hand-off between the name tip, the lists and the folder
// tree, as one state machine: which window holds the mouse, what a press on
// the tip becomes, which drag is under way and what it carries. The tip, the
// lists and the tree report their mouse events here and draw for themselves.
//
//   Free --press on the tip--> TipPressed --move--> PressHandedOver
//   TipPressed --release, or the tip hides--> Free
//   PressHandedOver --the source list begins its drag--> SourceDrag
//   PressHandedOver --release or the list loses the mouse--> Free
//   Free --a list or the tree begins a drag--> SourceDrag, FolderDrag or
//        PlaylistDrag (the window that began it holds the mouse)
//   any drag --release, or its window loses the mouse--> Free
//
// One instance serves the process (there is one user-interface thread).
#pragma once

#include "lists/PathDropTarget.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

enum class PointerState {
    Free,
    // The left button went down on the tip and is still held.
    TipPressed,
    // The press moved off its spot: the source list holds the mouse and has
    // the press posted, so that it can begin its own drag.
    PressHandedOver,
    // Files of the source list dragged; the source list holds the mouse.
    SourceDrag,
    // A folder of the tree dragged; the tree holds the mouse.
    FolderDrag,
    // Playlist entries dragged within the playlist, which holds the mouse.
    PlaylistDrag,
};

class CPointerHandOff {
public:
    PointerState State() const { return m_state; }
    // A drag of files or of a folder, which the playlist takes in.
    bool IsDraggingIn() const { return m_state == PointerState::SourceDrag || m_state == PointerState::FolderDrag; }
    bool IsDragging() const { return IsDraggingIn() || m_state == PointerState::PlaylistDrag; }
    // hWnd began the drag under way.
    bool IsDragOf(HWND hWnd) const { return IsDragging() && m_hOwner == hWnd; }

    // A press on the tip over item; answers whether it completes a double
    // click: the same item pressed again within doubleClickMs. The memory
    // of the last press outlives hiding and showing the tip.
    bool OnTipPress(int item, UINT doubleClickMs);
    void OnTipRelease();
    // The pointer moved on the tip. With a press held, the press passes to
    // hList with the mouse, posted at listPoint (hList's client
    // coordinates); answers true then.
    bool OnTipMove(HWND hList, POINT listPoint);
    // A hidden tip may never hear the release of its press.
    void OnTipHidden();

    // The source item last reported for the tip: -1 for none, -2 before the
    // first report, so that the first move over the list always reports.
    int LastHoverItem() const { return m_nLastHoverItem; }
    void SetLastHoverItem(int item) { m_nLastHoverItem = item; }

    // The image follows the pointer over the whole screen from clientStart
    // (hOwner's client coordinates), and hOwner holds the mouse.
    bool BeginDrag(PointerState drag, HWND hOwner, HIMAGELIST image, POINT hotSpot, POINT clientStart);
    // Moves the drag image to the screen point.
    void MoveImage(POINT screen) const;
    // Ends hOwner's drag: the image goes and the mouse is free. False when
    // hOwner has no drag under way. The state is Free before the mouse is
    // released, since releasing it comes back to hOwner.
    bool EndDrag(HWND hOwner);
    // A release on hWnd that ended no drag: a press the tip handed over is
    // over, and nothing else would ever free the mouse.
    void OnReleaseWithoutDrag(HWND hWnd);
    // hWnd lost the mouse to hNew (a box, another program): no release will
    // reach it. Answers whether that ended hWnd's drag; the caller then
    // cleans up what it drew.
    bool OnCaptureChanged(HWND hWnd, HWND hNew);

    // While a drag of files or of a folder is over target: the arrow and
    // the mark where they would go in; elsewhere the "no" cursor and the
    // mark stays as it was.
    void TrackDragIn(IPathDropTarget* target, POINT screen) const;
    // Where that drag released at screen goes in; -1 outside the target's
    // window. Ends the drag; the mark goes whatever the drop.
    int DropIn(HWND hOwner, IPathDropTarget* target, POINT screen);

    // What the last drag of files or of a folder carried: full paths, kept
    // until the next such drag, so that the posted drop can still read them.
    std::vector<std::wstring>& DraggedPaths() { return m_arrDragPaths; }

private:
    PointerState m_state = PointerState::Free;
    // The window that holds the mouse for the state.
    HWND m_hOwner = nullptr;
    int m_nLastHoverItem = -2;
    DWORD m_dwLastTipPress = 0;
    int m_nLastTipPressItem = -1;
    std::vector<std::wstring> m_arrDragPaths;
};

CPointerHandOff& PointerHandOff();

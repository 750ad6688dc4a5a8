// Asked when a playlist of the chosen name exists: add to it or replace it.
// It exists only while a save runs, so it shows the save's wait cursor.
#pragma once

#include "framework/Dialog.h"
#include "look/SkinHook.h"

class CPlaylistExistsDlg : public CModalDialog {
public:
    enum Choice { kAddToExisting = 0, kReplaceExisting = 1 };

    explicit CPlaylistExistsDlg(HWND hParent);

    // The index of the checked radio button of the group; -1 when none is.
    int m_nChoice = kAddToExisting;
    // Never bound: this dialog keeps the plain look.
    CSkinHook m_skin;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// The answer to WM_SETCURSOR while a save runs: without it the first move
// of the mouse would bring the arrow back.
LRESULT SetWaitCursor();

// The radio buttons of the group that starts at hFirst (up to the next
// control with WS_GROUP), counted in tab order. The resource module fixes
// only the first one's id, so the others are found by their place.
int CheckedRadioIndex(HWND hFirst);
void CheckRadioIndex(HWND hFirst, int index);

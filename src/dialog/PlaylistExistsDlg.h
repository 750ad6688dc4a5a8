// Asked when a playlist of the chosen name exists: add to it or replace it.
#pragma once

#include "framework/Dialog.h"
#include "look/SkinHook.h"

class CPlaylistExistsDlg : public CModalDialog {
public:
    enum Choice { kAddToExisting = 0, kReplaceExisting = 1 };

    explicit CPlaylistExistsDlg(HWND hParent);

    int m_nChoice = kAddToExisting;
    // Never bound: this dialog keeps the plain look.
    CSkinHook m_skin;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};

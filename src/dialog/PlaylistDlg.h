// The main window: the folder tree, the source list, the playlist and the
// buttons that edit and save it.
#pragma once

#include "framework/Dialog.h"

#include <string>

class CPlaylistDlg : public CModalDialog {
public:
    explicit CPlaylistDlg(HWND hParent = nullptr);

    bool ClosedByRequest() const { return m_bClosedByRequest; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(int id, UINT code, HWND hControl) override;

private:
    LRESULT OnCreate(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnDeviceChange(WPARAM event, LPARAM data);
    LRESULT OnShareMessage(WPARAM wParam, LPARAM lParam);

    std::wstring m_strPlaylistName;
    HICON m_hIcon = nullptr;
    UINT m_nShareMsg = 0;
    bool m_bClosedByRequest = false;
    wchar_t m_szPlaylistDir[MAX_PATH] = {};
};

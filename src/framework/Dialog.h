// A modal dialog whose template comes from the resource module.
#pragma once

#include "framework/Window.h"

class CModalDialog : public CWindow {
public:
    CModalDialog(UINT templateId, HWND hParent);

    // Runs the dialog until EndDialog; -1 when it could not be created.
    INT_PTR DoModal();
    void EndDialog(INT_PTR result);

    UINT TemplateId() const { return m_templateId; }

protected:
    // Binds the child controls to their objects before OnInitDialog runs.
    virtual void BindControls() {}
    // FALSE keeps a focus the handler set itself.
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    // A key press (WM_KEYDOWN or WM_SYSKEYDOWN) for this dialog or one of
    // its controls, before the dialog manager treats it as Tab, Enter, an
    // arrow or a mnemonic; true: handled, it goes no further.
    virtual bool PreTranslateKey(const MSG&) { return false; }

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool OnCommand(int id, UINT code, HWND hControl) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
    // The dialog manager's modal loop offers every message to this thread
    // filter first; the innermost running dialog that holds the message's
    // window gets the key.
    static LRESULT CALLBACK KeyFilterProc(int code, WPARAM wParam, LPARAM lParam);
    class CRunning;

    UINT m_templateId;
    HWND m_hParent;
};

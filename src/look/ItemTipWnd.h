// A small pop-up laid over a list item whose name is wider than the item,
// showing the whole name in one line. Clicks on it act on the item beneath:
// they are posted to the owner, and a press followed by a move hands the
// press to the list so that the list can begin its own drag.
#pragma once

#include "framework/ListView.h"
#include "framework/Window.h"

#include <string>

// Posted to the tip's owner with wParam the item index: every press on the
// tip while it shows an item; on the second press of a double click it comes
// after WM_TIP_DBLCLICK.
constexpr UINT WM_TIP_CLICK = WM_USER + 720;
constexpr UINT WM_TIP_DBLCLICK = WM_USER + 721;

// The room a list item leaves beside its text, in pixels at 96 DPI: a name
// less than this narrower than its item is already cut with "..." (under
// Wine the text starts 6 pixels in and is cut 10 pixels before the end).
constexpr int kItemTextRoom = 16;

class CItemTipWnd : public CWindow {
public:
    CItemTipWnd();
    // Destroys the window if it still exists.
    ~CItemTipWnd() override;

    // The window whose font paints the text; null is refused.
    BOOL SetNotifyWnd(HWND hWnd);

    // Creates the hidden tip window, owned by hOwner, which receives the
    // posted clicks and gives the font for measuring.
    BOOL CreateTip(HWND hOwner);

    // Shows the tip over prcItem (screen coordinates), as wide as the text
    // and as high as the item, when the item cannot show the whole text
    // with its room beside it (kItemTextRoom); hides it otherwise (no item,
    // empty text, a name that fits). A shown tip holds
    // the mouse, unless another window does, and hides once the pointer is
    // off it (also onto another program's window), when the program loses
    // the activation, and when the wheel is turned over it.
    BOOL ShowTip(CListView* pList, int nItem, const RECT* prcItem, const wchar_t* pszText, BOOL bSelected);
    // Answers whether the tip was visible. Lets go of the mouse.
    BOOL HideTip();

    // The text shows in the selection colours.
    bool IsHighlighted() const { return m_bSelected != FALSE; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void OnPaint();
    void OnLButtonDown();
    void OnMouseMove(LPARAM lParam);
    void TrackPointerLeave() const;
    bool PointerIsOver() const;
    bool OwnerCanHear() const;

    HWND m_hWndNotify = nullptr;
    HWND m_hOwner = nullptr;
    std::wstring m_strText;
    BOOL m_bShowing = FALSE;
    RECT m_rcTip = {};
    BOOL m_bSelected = FALSE;
    int m_nItem = -2;
    CListView* m_pList = nullptr;
    UINT m_nDblClickTime;
};

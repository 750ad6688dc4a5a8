#include "framework/Menu.h"

#include "framework/App.h"
#include "framework/Strings.h"
#include "res/builtin_menus.h"

namespace {

HMENU BuildBuiltInMenu(UINT menuId, HMENU& hPopup)
{
    HMENU hBar = ::CreateMenu();
    hPopup = ::CreatePopupMenu();
    for (const CMenuRow& row : BuiltInMenu(menuId)) {
        if (row.command == 0) {
            ::AppendMenuW(hPopup, MF_SEPARATOR, 0, nullptr);
        } else {
            ::AppendMenuW(hPopup, MF_STRING, row.command, LoadResString(row.textId).c_str());
        }
    }
    ::AppendMenuW(hBar, MF_POPUP, reinterpret_cast<UINT_PTR>(hPopup), L"");
    return hBar;
}

}

CContextMenu::CContextMenu(UINT menuId)
{
    HMENU hMenu = ::LoadMenuW(ResourceModule(), MAKEINTRESOURCEW(menuId));
    HMENU hPopup = hMenu ? ::GetSubMenu(hMenu, 0) : nullptr;
    if (!hPopup) {
        if (hMenu) ::DestroyMenu(hMenu);
        hMenu = BuildBuiltInMenu(menuId, hPopup);
    }
    m_menu.reset(hMenu);
    m_hPopup = hPopup;
}

void CContextMenu::EnableCommands(const std::function<bool(UINT command)>& applies) const
{
    int count = ::GetMenuItemCount(m_hPopup);
    for (int i = 0; i < count; ++i) {
        UINT command = ::GetMenuItemID(m_hPopup, i);
        if (command == 0 || command == static_cast<UINT>(-1)) continue;
        ::EnableMenuItem(m_hPopup, command, MF_BYCOMMAND | (applies(command) ? MF_ENABLED : MF_GRAYED));
    }
}

UINT CContextMenu::Track(HWND hOwner, POINT screen) const
{
    if (!m_hPopup) return 0;
    return static_cast<UINT>(::TrackPopupMenu(m_hPopup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                              screen.x, screen.y, 0, hOwner, nullptr));
}

POINT ContextMenuPoint(LPARAM lParam, POINT keyboardPoint)
{
    if (lParam == -1) return keyboardPoint;
    return POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

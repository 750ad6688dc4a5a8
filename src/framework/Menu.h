// Context menus: loaded from the resource module, or built from the
// program's built-in rows when the module lacks them; shown at the pointer
// or, from the keyboard, where the caller says.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <type_traits>

class CContextMenu {
public:
    // The first pop-up of menu resource menuId; without one in the module,
    // the built-in items of that id (an empty menu when there are none).
    explicit CContextMenu(UINT menuId);

    // Greys every command for which applies answers false.
    void EnableCommands(const std::function<bool(UINT command)>& applies) const;
    // Shows the menu with its top-left corner at screen and waits for the
    // choice: the command, or 0 when the menu was dismissed.
    UINT Track(HWND hOwner, POINT screen) const;

    HMENU Popup() const { return m_hPopup; }

private:
    struct CDestroyMenu {
        void operator()(HMENU hMenu) const { ::DestroyMenu(hMenu); }
    };
    // The loaded or built menu; the pop-up belongs to it.
    std::unique_ptr<std::remove_pointer<HMENU>::type, CDestroyMenu> m_menu;
    HMENU m_hPopup = nullptr;
};

// Where a context menu opens: at the pointer for a WM_CONTEXTMENU from the
// mouse; from the keyboard (lParam -1) at keyboardPoint.
POINT ContextMenuPoint(LPARAM lParam, POINT keyboardPoint);

// The context menus as the program builds them when the resource module
// lacks them (an older module): each item's command and the string id of its
// text. The module's menus hold the same items in the same order.
#pragma once

#include "res/resource_ids.h"

#include <windows.h>

#include <vector>

// command 0 stands for a separator.
struct CMenuRow {
    UINT command;
    UINT textId;
};

inline std::vector<CMenuRow> BuiltInMenu(UINT menuId)
{
    switch (menuId) {
    case IDM_PLAYLIST_CONTEXT:
        return {
            {ID_PLAYLIST_OPEN, IDS_MENU_OPEN},
            {0, 0},
            {ID_PLAYLIST_UNDO, IDS_MENU_UNDO},
            {ID_PLAYLIST_REDO, IDS_MENU_REDO},
            {0, 0},
            {ID_PLAYLIST_MOVE_UP, IDS_MENU_MOVE_UP},
            {ID_PLAYLIST_MOVE_DOWN, IDS_MENU_MOVE_DOWN},
            {ID_PLAYLIST_REMOVE, IDS_MENU_REMOVE},
            {ID_PLAYLIST_CLEAR, IDS_MENU_CLEAR},
            {0, 0},
            {ID_PLAYLIST_SORT_BY_NAME, IDS_MENU_SORT_BY_NAME},
            {ID_PLAYLIST_SORT_BY_PATH, IDS_MENU_SORT_BY_PATH},
            {ID_PLAYLIST_REVERSE, IDS_MENU_REVERSE},
            {ID_PLAYLIST_SHUFFLE, IDS_MENU_SHUFFLE},
            {ID_PLAYLIST_REMOVE_DUPLICATES, IDS_MENU_REMOVE_DUPLICATES},
            {ID_PLAYLIST_REMOVE_MISSING, IDS_MENU_REMOVE_MISSING},
            {0, 0},
            {ID_LIST_SELECT_ALL, IDS_MENU_SELECT_ALL},
        };
    case IDM_SOURCE_CONTEXT:
        return {
            {ID_SOURCE_ADD_SELECTED, IDS_MENU_ADD_SELECTED},
            {ID_SOURCE_ADD_ALL, IDS_MENU_ADD_ALL},
            {0, 0},
            {ID_LIST_SELECT_ALL, IDS_MENU_SELECT_ALL},
        };
    case IDM_TREE_CONTEXT:
        return {{ID_TREE_ADD_TO_PLAYLIST, IDS_TREE_ADD_TO_PLAYLIST}};
    default:
        return {};
    }
}

// Numeric ids shared by the program and its resource module. The module is a
// separate file that may be replaced, so these numbers are a contract: never
// renumber them.
#pragma once

// Dialog templates
#define IDD_PLAYLIST_MAIN        102
#define IDD_PLAYLIST_EXISTS      134

// Icons
#define IDI_APP                  128

// Strings
#define IDS_MSG_CAPTION          106
#define IDS_EMPTY_NAME           124
#define IDS_NOTHING_TO_ADD       125
#define IDS_NOTHING_TO_REMOVE    127
#define IDS_MOVE_NO_SELECTION    129
#define IDS_MOVE_NO_ITEM         130
#define IDS_DEFAULT_NAME_FORMAT  162
#define IDS_SAVED_ANOTHER        163
#define IDS_WRITER_NO_PATH       166
#define IDS_FILE_OPEN_FAILED     170
// Added later: the program carries a built-in English text for each
// (res/builtin_texts.h), for a module that lacks it.
#define IDS_INVALID_NAME         171
#define IDS_ENTRIES_LEFT_OUT     172
#define IDS_CLOSE_UNSAVED        173
#define IDS_LINES_LEFT_OUT       174
#define IDS_NO_PLAYLIST_FOLDER   175
#define IDS_DRIVE_NOT_ANSWERING  176
// Opening a playlist of the player.
#define IDS_OPEN_UNSAVED         180
#define IDS_OPEN_FILTER          181
#define IDS_OPEN_OTHER_DRIVE     182
#define IDS_OPEN_FAILED          183
#define IDS_OPENED_MISSING       184
#define IDS_OPENED_UNREADABLE    185
#define IDS_MISSING_ENTRY        186
#define IDS_MENU_OPEN            187
#define IDS_MENU_REMOVE_MISSING  188
// Whole folders and drops from other programs.
#define IDS_TREE_ADD_TO_PLAYLIST 215
#define IDS_DROP_NOT_TAKEN       216

// The entry count above the playlist; both keep the label's mnemonic.
#define IDS_PLAYLIST_COUNT_ONE   190
#define IDS_PLAYLIST_COUNT_MANY  191
// Texts of the context menus' items (the fallback menus are built from them).
#define IDS_MENU_UNDO            192
#define IDS_MENU_REDO            193
#define IDS_MENU_MOVE_UP         194
#define IDS_MENU_MOVE_DOWN       195
#define IDS_MENU_REMOVE          196
#define IDS_MENU_CLEAR           197
#define IDS_MENU_SORT_BY_NAME    198
#define IDS_MENU_SORT_BY_PATH    199
#define IDS_MENU_REVERSE         200
#define IDS_MENU_SHUFFLE         201
#define IDS_MENU_REMOVE_DUPLICATES 202
#define IDS_MENU_SELECT_ALL      203
#define IDS_MENU_ADD_SELECTED    204
#define IDS_MENU_ADD_ALL         205

// Strings reserved by area, so that work on different features never takes
// the same number: 174-179 save and start-up messages, 180-189 opening a
// playlist, 190-229 editing commands and menus, 230-239 version and About.
#define IDS_ABOUT_MENU           230
#define IDS_ABOUT_CAPTION        231
// The About box: %1 the program's version, %2 the resource module's, %3 the
// folder the program runs from.
#define IDS_ABOUT_TEXT           232
// Stands for the version of a file that carries none.
#define IDS_VERSION_UNKNOWN      233

// Controls of the main dialog
#define IDC_FOLDER_CAPTION       1004
#define IDC_PLAYLIST_NAME        1007
#define IDC_SAVE                 1010
#define IDC_CLOSE                1011
#define IDC_ADD_SELECTED         1012
#define IDC_ADD_ALL              1013
#define IDC_REMOVE_SELECTED      1014
#define IDC_REMOVE_ALL           1015
#define IDC_MOVE_UP              1016
#define IDC_MOVE_DOWN            1017
#define IDC_FOLDER_TREE          1020
#define IDC_SOURCE_LIST          1021
#define IDC_PLAYLIST_LIST        1022
// Controls added later (1035 and up; 1033 and 1034 belong to the
// add-or-replace dialog). A module may lack them: every command they give is
// also reachable by its key or a menu.
#define IDC_OPEN                 1035

// Controls of the add-or-replace dialog: two radio buttons, 1033 first.
#define IDC_CHOICE_ADD           1033
#define IDC_CHOICE_REPLACE       1034

// Menus: 150-159. Menu commands: 40001-40049 editing and order, 40050-40069
// opening a playlist. System menu commands are multiples of 16 below 0xF000.
#define IDM_SYS_ABOUT            0x0010
#define ID_FIRST_COMMAND         40001
#define ID_LAST_COMMAND          40069
#define IDM_PLAYLIST_CONTEXT     150
#define IDM_SOURCE_CONTEXT       151

// Commands of the playlist (its menu and keys).
#define ID_PLAYLIST_UNDO         40001
#define ID_PLAYLIST_REDO         40002
#define ID_PLAYLIST_MOVE_UP      40003
#define ID_PLAYLIST_MOVE_DOWN    40004
#define ID_PLAYLIST_REMOVE       40005
#define ID_PLAYLIST_CLEAR        40006
#define ID_PLAYLIST_SORT_BY_NAME 40007
#define ID_PLAYLIST_SORT_BY_PATH 40008
#define ID_PLAYLIST_REVERSE      40009
#define ID_PLAYLIST_SHUFFLE      40010
#define ID_PLAYLIST_REMOVE_DUPLICATES 40011
// Select All in whichever list the menu or the key is for.
#define ID_LIST_SELECT_ALL       40012
// Commands of the source list.
#define ID_SOURCE_ADD_SELECTED   40020
#define ID_SOURCE_ADD_ALL        40021
// Commands of opening a playlist.
#define ID_PLAYLIST_OPEN         40050
#define ID_PLAYLIST_REMOVE_MISSING 40051

// The folder tree's menu and its command.
#define IDM_TREE_CONTEXT         152
#define ID_TREE_ADD_TO_PLAYLIST  40030

// The playlist name field accepts at most this many characters.
#define PLAYLIST_NAME_MAX_CHARS  230

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
// Whole folders and drops from other programs.
#define IDS_TREE_ADD_TO_PLAYLIST 215
#define IDS_DROP_NOT_TAKEN       216

// Strings reserved by area, so that work on different features never takes
// the same number: 174-179 save and start-up messages, 180-189 opening a
// playlist, 190-229 editing commands and menus, 230-239 version and About.

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

// Controls of the add-or-replace dialog: two radio buttons, 1033 first.
#define IDC_CHOICE_ADD           1033
#define IDC_CHOICE_REPLACE       1034

// Menus: 150-159. Menu commands: 40001-40049 editing and order, 40050-40069
// opening a playlist. System menu commands are multiples of 16 below 0xF000.
#define IDM_TREE_MENU            152
#define ID_TREE_ADD_TO_PLAYLIST  40030

// The playlist name field accepts at most this many characters.
#define PLAYLIST_NAME_MAX_CHARS  230

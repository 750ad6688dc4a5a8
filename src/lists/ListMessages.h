// Messages the file lists post to their notify window (the main dialog).
// Posted, never sent: the receiver runs after the list's own handler has
// returned and the list is in its final state.
#pragma once

#include <windows.h>

// Source items were dropped on the playlist: wParam is the playlist index to
// insert PointerHandOff().DraggedPaths() at. The source list has ended its
// drag by the time this arrives.
constexpr UINT WM_DROP_ON_PLAYLIST = WM_USER + 700;
// A folder of the tree was dropped on the playlist: wParam is the playlist
// index to insert its audio files at; the folder is the one path the hand-off
// holds as dragged (PointerHandOff().DraggedPaths()).
constexpr UINT WM_FOLDER_DROP_ON_PLAYLIST = WM_USER + 701;
// Files or folders of another program were dropped on the playlist: wParam
// is the playlist index to insert at; the paths are the drop target's.
constexpr UINT WM_FILES_DROP_ON_PLAYLIST = WM_USER + 702;
// A double-click or Enter in the source list: add its selected files to the
// playlist.
constexpr UINT WM_SOURCE_LIST_DBLCLK = WM_USER + 740;
// A double-click in the playlist: remove its selected entries.
constexpr UINT WM_PLAYLIST_DBLCLK = WM_USER + 741;
// A list's items or selection changed; the receiver re-reads the lists, so
// any number of these in a row means the same as one.
constexpr UINT WM_LIST_CHANGED = WM_USER + 742;

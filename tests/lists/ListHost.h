// Test support: a top-level window that stands for the main dialog, holding
// both lists with the dialog template's styles and receiving their posts.
#pragma once

#include "TestSupport.h"
#include "framework/MessageBox.h"
#include "framework/Window.h"
#include "lists/PlaylistListCtrl.h"
#include "lists/SourceListCtrl.h"

#include <string>
#include <vector>

class CListHost : public CWindow {
public:
    ~CListHost() override;

    // Creates the window with both lists bound, notifying this window, the
    // playlist as the source list's drop target and their column set up.
    // Hidden unless visible is set; the lists are listHeight pixels high.
    bool Create(bool visible, int listHeight = 200);
    void Destroy();

    // The model first: the playlist shows it until the end.
    CPlaylistModel model;
    CSourceListCtrl source;
    CPlaylistListCtrl playlist;
};

// Puts a host back to the start of an input test: entries playlist entries
// from MakePaths and the files of folder in the source list, nothing selected.
bool ResetHost(CListHost& host, int entries, const std::wstring& folder);

// Selected item indices of a list, ascending.
std::vector<int> SelectedItems(const CListView& list);

// Removes the posted msg from the test thread's queue; answers how many.
int TakePosted(HWND hWnd, UINT msg);


// Paths "<folder>\<prefix><i>.mp3" for i in [first, first + count).
std::vector<std::wstring> MakePaths(int first, int count, const wchar_t* prefix = L"song");

// Records the boxes shown through AppMessageBox and answers IDOK.
class CBoxRecorder {
public:
    struct CBox {
        HWND hOwner;
        std::wstring text;
        std::wstring caption;
        UINT type;
    };
    CBoxRecorder();
    ~CBoxRecorder();
    CBoxRecorder(const CBoxRecorder&) = delete;
    CBoxRecorder& operator=(const CBoxRecorder&) = delete;

    std::vector<CBox> boxes;
};

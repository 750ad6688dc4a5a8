#include "app/PlaylistApp.h"

namespace {
// One application object for the whole process.
CPlaylistApp theApp;
}

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int)
{
    return theApp.Run(hInstance);
}

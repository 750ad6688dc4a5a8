#include "app/PlaylistApp.h"

namespace {
// One application object for the whole process.
CPlaylistApp theApp;
}

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int)
{
    // A drive without its disk (an empty card reader, a player taken out
    // mid-save) answers the program's calls with an error, never with the
    // system's own box, which would stop the program once per path.
    ::SetErrorMode(::GetErrorMode() | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    return theApp.Run(hInstance);
}

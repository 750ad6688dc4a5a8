// The application object: start-up and shutdown run from wWinMain, and the
// module that every dialog, string and icon is looked up in.
#pragma once

#include <windows.h>

class CAppBase {
public:
    CAppBase() = default;
    virtual ~CAppBase() = default;
    CAppBase(const CAppBase&) = delete;
    CAppBase& operator=(const CAppBase&) = delete;

    // Runs InitInstance; a TRUE answer runs a message loop until WM_QUIT.
    // ExitInstance always runs last and gives the exit code.
    int Run(HINSTANCE hInstance);

    HINSTANCE Instance() const { return m_hInstance; }

protected:
    virtual BOOL InitInstance() = 0;
    virtual int ExitInstance() { return 0; }

private:
    HINSTANCE m_hInstance = nullptr;
};

// The module that resources are loaded from: the program itself until
// SetResourceModule names another one.
HINSTANCE ResourceModule();
void SetResourceModule(HINSTANCE hModule);

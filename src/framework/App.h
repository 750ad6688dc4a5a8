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

    // Runs InitInstance, then ExitInstance, which gives the exit code. The
    // application has no message loop of its own: start-up runs whatever
    // loops it needs (the main dialog's modal one) before it returns.
    int Run(HINSTANCE hInstance);

    HINSTANCE Instance() const { return m_hInstance; }

protected:
    virtual void InitInstance() = 0;
    virtual int ExitInstance() { return 0; }

private:
    HINSTANCE m_hInstance = nullptr;
};

// The module that resources are loaded from: the program itself until
// SetResourceModule names another one.
HINSTANCE ResourceModule();
void SetResourceModule(HINSTANCE hModule);

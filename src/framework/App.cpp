#include "framework/App.h"

namespace {
HINSTANCE g_hResourceModule = nullptr;
}

HINSTANCE ResourceModule()
{
    return g_hResourceModule ? g_hResourceModule : ::GetModuleHandleW(nullptr);
}

void SetResourceModule(HINSTANCE hModule)
{
    g_hResourceModule = hModule;
}

int CAppBase::Run(HINSTANCE hInstance)
{
    m_hInstance = hInstance;
    InitInstance();
    return ExitInstance();
}

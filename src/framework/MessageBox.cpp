#include "framework/MessageBox.h"

#include <utility>

namespace {
MessageBoxHook& Hook()
{
    static MessageBoxHook hook;
    return hook;
}
}

int AppMessageBox(HWND hOwner, const std::wstring& text, const std::wstring& caption, UINT type)
{
    if (Hook()) return Hook()(hOwner, text, caption, type);
    return ::MessageBoxW(hOwner, text.c_str(), caption.c_str(), type);
}

void SetMessageBoxHook(MessageBoxHook hook)
{
    Hook() = std::move(hook);
}

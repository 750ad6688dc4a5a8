#include "framework/MessageBox.h"
#include "framework/Strings.h"

#include <utility>

std::wstring g_strMsgCaption;

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

int ShowAppMessage(HWND hOwner, UINT stringId, UINT type)
{
    return AppMessageBox(hOwner, LoadResString(stringId), g_strMsgCaption, type);
}

void ShowAppCounts(HWND hOwner, std::initializer_list<std::pair<UINT, int>> counts)
{
    std::wstring text;
    for (const auto& [stringId, count] : counts) {
        if (count <= 0) continue;
        if (!text.empty()) text += L"\n\n";
        text += FormatIntText(LoadResString(stringId), count);
    }
    if (!text.empty()) AppMessageBox(hOwner, text, g_strMsgCaption, MB_OK | MB_ICONINFORMATION);
}

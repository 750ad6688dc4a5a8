// Every message box of the program goes through AppMessageBox, so that tests
// can watch the boxes and answer them without a person to click.
#pragma once

#include <windows.h>
#include <functional>
#include <string>

using MessageBoxHook = std::function<int(HWND hOwner, const std::wstring& text,
                                         const std::wstring& caption, UINT type)>;

int AppMessageBox(HWND hOwner, const std::wstring& text, const std::wstring& caption, UINT type);

// Replaces the real box until the hook is cleared (pass nullptr); the hook's
// answer stands for the button pressed.
void SetMessageBoxHook(MessageBoxHook hook);

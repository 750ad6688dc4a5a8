// Every message box of the program goes through AppMessageBox, so that tests
// can watch the boxes and answer them without a person to click.
#pragma once

#include <windows.h>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

using MessageBoxHook = std::function<int(HWND hOwner, const std::wstring& text,
                                         const std::wstring& caption, UINT type)>;

int AppMessageBox(HWND hOwner, const std::wstring& text, const std::wstring& caption, UINT type);

// Replaces the real box until the hook is cleared (pass nullptr); the hook's
// answer stands for the button pressed.
void SetMessageBoxHook(MessageBoxHook hook);

// Caption of every message box after start-up; loaded from the resource
// module once start-up has it.
extern std::wstring g_strMsgCaption;

// A box with a text of the resource module and the caption above; the
// answer is the button pressed.
int ShowAppMessage(HWND hOwner, UINT stringId, UINT type = MB_OK | MB_ICONINFORMATION);

// One information box for several counts, each told by its resource text
// with a "%d" in it, in paragraphs; counts of zero are left out, and no box
// shows when all are zero.
void ShowAppCounts(HWND hOwner, std::initializer_list<std::pair<UINT, int>> counts);

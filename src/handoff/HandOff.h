// The hand-off between instances: every main window carries a marker
// property, and a later start asks the marked windows, through one
// registered message, whether one of them already serves its device.
#pragma once

#include "res/wire_names.h"

#include <windows.h>
#include <vector>

// True when any top-level window carries the wait-dialog property.
bool IsWaitDialogPresent();

// Empties windows, then fills it with the marked top-level windows, front
// to back; returns their number.
int FindPlaylistWindows(std::vector<HWND>& windows);

// How long a start waits for one running instance to answer.
constexpr UINT kShareReplyTimeoutMs = 5000;

// Sends the share message to one running instance. A window that does not
// answer within the time, or is hung, answers 0: it claims no drive, and a
// close request goes on to the next window.
LRESULT SendShareMessage(HWND hWnd, WPARAM request, ATOM atom);

// Brings a running instance to the front, with any box it has open.
void ActivateInstanceWindow(HWND hWnd);

// The receiving side: the reply to the share message for an instance that
// serves deviceRoot. Sets closeRequested on a close request.
LRESULT AnswerShareMessage(WPARAM wParam, LPARAM lParam, const wchar_t* deviceRoot,
                           bool& closeRequested);

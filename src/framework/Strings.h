// Text helpers over std::wstring.
#pragma once

#include <windows.h>
#include <string>

// A string of the resource module; empty when the id is missing.
std::wstring LoadResString(UINT id);

// The window's whole text.
std::wstring GetWindowTextString(HWND hWnd);

// Copies text into a fixed buffer of cchBuffer characters, cut to fit and
// always terminated.
void CopyToBuffer(wchar_t* buffer, size_t cchBuffer, const wchar_t* text);

// The system's text for an error code, without the trailing line break.
std::wstring SystemErrorText(DWORD error);

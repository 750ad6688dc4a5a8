// Text helpers over std::wstring.
#pragma once

#include <windows.h>
#include <string>

// A string of the resource module. When the module lacks the id, the
// program's built-in English text for it (strings added after the first
// module), else an empty text.
std::wstring LoadResString(UINT id);

// The window's whole text.
std::wstring GetWindowTextString(HWND hWnd);

// Copies text into a fixed buffer of cchBuffer characters, cut to fit and
// always terminated.
void CopyToBuffer(wchar_t* buffer, size_t cchBuffer, const wchar_t* text);

// The system's text for an error code, without the trailing line break.
std::wstring SystemErrorText(DWORD error);

// A resource text with one integer argument: the first %d (or %i, %u, with
// optional flags and width) becomes the number and "%%" a percent sign; any
// other '%' stays as it is. Unlike printf, a format string that asks for
// something else cannot read past the one argument.
std::wstring FormatIntText(const std::wstring& format, int value);

// A resource text with one text argument: the first "%s" becomes value and
// "%%" a percent sign; any other '%' stays as it is.
std::wstring FormatStringText(const std::wstring& format, const std::wstring& value);

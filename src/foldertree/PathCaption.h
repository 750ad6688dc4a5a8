// Shortening a path, with an ellipsis where the shell's path compaction puts
// it, so that it fits a control's width in the control's own font.
#pragma once

#include <windows.h>
#include <vector>

// Shortens the terminated path in place; it never grows. Leaves the path
// unchanged when the window has no width or no font, or on any failure.
void FitPathToControl(wchar_t* path, HWND hWnd);

// The same for the width of rect in the font selected into hDc.
void FitPathToWidth(wchar_t* path, const RECT& rect, HDC hDc);

// How many leading characters fit: the number whose widths, summed one by
// one, stay below width.
size_t CountLeadingCharsThatFit(const std::vector<int>& charWidths, int width);

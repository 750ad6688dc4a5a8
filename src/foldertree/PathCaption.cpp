#include "foldertree/PathCaption.h"

#include "framework/Raii.h"

#include <shlwapi.h>
#include <cwchar>
#include <vector>

void FitPathToControl(wchar_t* path, HWND hWnd)
{
    if (!path || !hWnd || !::IsWindow(hWnd)) return;
    RECT rect = {};
    ::GetWindowRect(hWnd, &rect);
    if (rect.right - rect.left <= 0) return;
    CWindowDc dc(hWnd);
    if (!dc) return;
    // Without its font the control would be measured in the system font,
    // which fits a different number of characters.
    HFONT hFont = reinterpret_cast<HFONT>(::SendMessageW(hWnd, WM_GETFONT, 0, 0));
    if (!hFont) return;
    CSelectObject select(dc.Get(), hFont);
    FitPathToWidth(path, rect, dc.Get());
}

size_t CountLeadingCharsThatFit(const std::vector<int>& charWidths, int width)
{
    if (charWidths.empty()) return 0;
    size_t count = 0;
    long total = charWidths[0];
    while (total < width && count < charWidths.size()) {
        ++count;
        if (count < charWidths.size()) total += charWidths[count];
    }
    return count;
}

namespace {
// Each character measured alone, stepping as CharNextW does.
std::vector<int> MeasureChars(const wchar_t* path, HDC hDc)
{
    std::vector<int> widths;
    for (const wchar_t* p = path; *p;) {
        const wchar_t* next = ::CharNextW(p);
        if (next == p) break;
        SIZE size = {};
        ::GetTextExtentPoint32W(hDc, p, static_cast<int>(next - p), &size);
        widths.push_back(size.cx);
        p = next;
    }
    return widths;
}

void CopyIfNotLonger(wchar_t* path, size_t length, const wchar_t* result)
{
    size_t resultLength = std::wcslen(result);
    if (resultLength <= length) std::wmemcpy(path, result, resultLength + 1);
}
}  // namespace

void FitPathToWidth(wchar_t* path, const RECT& rect, HDC hDc)
{
    if (!path || !*path) return;
    const int width = rect.right - rect.left;
    const size_t length = std::wcslen(path);

    // The compaction works on a copy: when it fails it may still have
    // rewritten its buffer, and the fallback needs the whole path.
    std::vector<wchar_t> attempt(length + 1 > MAX_PATH ? length + 1 : MAX_PATH, L'\0');
    std::wmemcpy(attempt.data(), path, length + 1);
    if (::PathCompactPathW(hDc, attempt.data(), static_cast<UINT>(width))) {
        CopyIfNotLonger(path, length, attempt.data());
        return;
    }

    // Even the last part of the path is too wide: keep as many characters
    // as fit, measured one by one, so kerning is not taken into account.
    size_t count = CountLeadingCharsThatFit(MeasureChars(path, hDc), width);
    std::vector<wchar_t> shortened(count + 1, L'\0');
    if (::PathCompactPathExW(shortened.data(), path, static_cast<UINT>(count + 1), 0))
        CopyIfNotLonger(path, length, shortened.data());
}

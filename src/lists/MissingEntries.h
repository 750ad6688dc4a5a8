// Entries of an opened playlist whose files are no longer on the player.
// The playlist keeps them, so the user sees what the player would skip;
// the list draws them grey and struck through, with a marker in their text,
// so that they stand out without colour too.
#pragma once

#include "framework/Raii.h"

#include <windows.h>
#include <commctrl.h>
#include <string>
#include <unordered_set>
#include <vector>

class CMissingEntries {
public:
    // Replaces the set: entries with exactly these paths are missing.
    void Set(const std::vector<std::wstring>& paths);
    bool IsMissing(const std::wstring& path) const { return m_paths.count(path) != 0; }
    bool Empty() const { return m_paths.empty(); }

    // The indices of the missing entries of paths, ascending.
    std::vector<unsigned int> IndicesIn(const std::vector<std::wstring>& paths) const;

    // Adds the marker to the text a display request was just answered with.
    void MarkDisplayText(NMHDR* header, const std::vector<std::wstring>& paths) const;
    // Answers the list's custom draw for missing entries; false for any
    // other notification.
    bool OnCustomDraw(NMHDR* header, const std::vector<std::wstring>& paths, LRESULT& result);

private:
    HFONT StruckFont(HWND hList);

    std::unordered_set<std::wstring> m_paths;
    std::wstring m_strMarkFormat;
    // The list's font struck through, made again when the list's font changes.
    CUniqueHandle<CGdiObjectTraits<HFONT>> m_struckFont;
    HFONT m_hStruckFrom = nullptr;
};

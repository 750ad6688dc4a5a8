#include "lists/MissingEntries.h"

#include "framework/Strings.h"
#include "res/resource_ids.h"

void CMissingEntries::Set(const std::vector<std::wstring>& paths)
{
    m_paths = std::unordered_set<std::wstring>(paths.begin(), paths.end());
    if (!m_paths.empty() && m_strMarkFormat.empty()) m_strMarkFormat = LoadResString(IDS_MISSING_ENTRY);
}

std::vector<unsigned int> CMissingEntries::IndicesIn(const std::vector<std::wstring>& paths) const
{
    std::vector<unsigned int> indices;
    for (size_t i = 0; i < paths.size() && !m_paths.empty(); ++i) {
        if (IsMissing(paths[i])) indices.push_back(static_cast<unsigned int>(i));
    }
    return indices;
}

void CMissingEntries::MarkDisplayText(NMHDR* header, const std::vector<std::wstring>& paths) const
{
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(header)->item;
    if (m_paths.empty() || !(item.mask & LVIF_TEXT) || item.iSubItem != 0 || !item.pszText || item.cchTextMax <= 0)
        return;
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= paths.size() ||
        !IsMissing(paths[static_cast<size_t>(item.iItem)]))
        return;
    const std::wstring text = FormatPlaceholders(m_strMarkFormat, {item.pszText});
    CopyToBuffer(item.pszText, static_cast<size_t>(item.cchTextMax), text.c_str());
}

bool CMissingEntries::OnCustomDraw(NMHDR* header, const std::vector<std::wstring>& paths, LRESULT& result)
{
    if (header->code != NM_CUSTOMDRAW) return false;
    NMLVCUSTOMDRAW* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
    result = CDRF_DODEFAULT;
    if (m_paths.empty()) return true;
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        result = CDRF_NOTIFYITEMDRAW;
    } else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
        const size_t item = static_cast<size_t>(draw->nmcd.dwItemSpec);
        if (item >= paths.size() || !IsMissing(paths[item])) return true;
        draw->clrText = ::GetSysColor(COLOR_GRAYTEXT);
        if (HFONT font = StruckFont(header->hwndFrom)) {
            ::SelectObject(draw->nmcd.hdc, font);
            result = CDRF_NEWFONT;
        }
    }
    return true;
}

HFONT CMissingEntries::StruckFont(HWND hList)
{
    HFONT listFont = reinterpret_cast<HFONT>(::SendMessageW(hList, WM_GETFONT, 0, 0));
    if (!listFont) listFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    if (m_struckFont && m_hStruckFrom == listFont) return m_struckFont.Get();
    LOGFONTW font = {};
    if (!::GetObjectW(listFont, sizeof(font), &font)) return nullptr;
    font.lfStrikeOut = TRUE;
    m_struckFont.Reset(::CreateFontIndirectW(&font));
    m_hStruckFrom = listFont;
    return m_struckFont.Get();
}

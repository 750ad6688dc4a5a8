#include "foldertree/PathCaption.h"

#include "framework/Raii.h"

#include <gtest/gtest.h>
#include <string>

namespace {

TEST(PathCaption, LeadingCharactersThatStayBelowTheWidth)
{
    struct {
        std::vector<int> widths;
        int width;
        size_t expected;
    } cases[] = {
        {{30, 30, 30, 30}, 100, 3},
        {{30, 30, 30, 30}, 1000, 4},   // all fit: the whole length
        {{50, 50, 50}, 100, 1},        // reaching the width exactly does not fit
        {{120, 10}, 100, 0},
        {{}, 100, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        EXPECT_EQ(c.expected, CountLeadingCharsThatFit(c.widths, c.width));
    }
}

class PathCaptionControl : public testing::Test {
protected:
    void TearDown() override
    {
        if (m_hStatic) ::DestroyWindow(m_hStatic);
    }

    HWND MakeStatic(int width, bool withFont)
    {
        m_hStatic = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, width, 20, nullptr, nullptr,
                                      nullptr, nullptr);
        if (withFont) ::SendMessageW(m_hStatic, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
        return m_hStatic;
    }

    int TextWidth(const std::wstring& text) const
    {
        CWindowDc dc(m_hStatic);
        CSelectObject select(dc.Get(), m_font.Get());
        SIZE size = {};
        ::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }

    std::wstring Fit(const std::wstring& path, HWND hWnd)
    {
        std::wstring buffer = path;
        FitPathToControl(&buffer[0], hWnd);
        return buffer.c_str();
    }

    CUniqueHandle<CGdiObjectTraits<HFONT>> m_font{::CreateFontW(
        -13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma")};
    HWND m_hStatic = nullptr;
};

const wchar_t kLongPath[] = L"H:\\Music\\Albums\\Some Artist\\A Rather Long Album Title\\Disc 1";

TEST_F(PathCaptionControl, PathThatFitsIsUnchanged)
{
    EXPECT_EQ(L"H:\\Music", Fit(L"H:\\Music", MakeStatic(300, true)));
}

TEST_F(PathCaptionControl, NoFontOrNoWidthNeverShortens)
{
    EXPECT_EQ(kLongPath, Fit(kLongPath, MakeStatic(60, false)));
    ::DestroyWindow(m_hStatic);
    EXPECT_EQ(kLongPath, Fit(kLongPath, MakeStatic(0, true)));
    EXPECT_EQ(kLongPath, Fit(kLongPath, nullptr));
    FitPathToControl(nullptr, m_hStatic);
}

TEST_F(PathCaptionControl, LongPathIsShortenedToTheWidth)
{
    const int width = 200;
    std::wstring fitted = Fit(kLongPath, MakeStatic(width, true));
    EXPECT_LT(fitted.size(), std::wstring(kLongPath).size());
    EXPECT_NE(std::wstring::npos, fitted.find(L"..."));
    EXPECT_LE(TextWidth(fitted), width);
}

}  // namespace

#include "framework/Menu.h"
#include "framework/MessageBox.h"
#include "framework/Raii.h"
#include "framework/Strings.h"
#include "res/builtin_menus.h"
#include "res/builtin_texts.h"

#include <gtest/gtest.h>

namespace {

TEST(UniqueHandle, ClosesOnceAndHandsOver)
{
    HANDLE raw = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    {
        CKernelHandle a(raw);
        CKernelHandle b(std::move(a));
        EXPECT_FALSE(a);
        EXPECT_EQ(raw, b.Get());
        CKernelHandle c;
        c = std::move(b);
        EXPECT_EQ(raw, c.Get());
        // Still open while owned.
        DWORD flags = 0;
        EXPECT_TRUE(::GetHandleInformation(raw, &flags));
    }
    DWORD flags = 0;
    EXPECT_FALSE(::GetHandleInformation(raw, &flags));
}

TEST(UniqueHandle, ReleaseGivesUpOwnership)
{
    CKernelHandle h(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    HANDLE raw = h.Release();
    EXPECT_FALSE(h);
    DWORD flags = 0;
    EXPECT_TRUE(::GetHandleInformation(raw, &flags));
    ::CloseHandle(raw);
}

TEST(UniqueHandle, FindHandleUsesItsOwnEmptyValue)
{
    CFindHandle none;
    EXPECT_FALSE(none);
    EXPECT_EQ(INVALID_HANDLE_VALUE, none.Get());
    WIN32_FIND_DATAW data;
    CFindHandle found(::FindFirstFileW(L"C:\\windows\\*", &data));
    EXPECT_TRUE(found);
}

class CCountingUnknown : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    ULONG refs = 1;
};

TEST(ComPtr, AdoptShareAndMove)
{
    CCountingUnknown object;
    {
        CComPtr<IUnknown> adopted = CComPtr<IUnknown>::Adopt(&object);
        EXPECT_EQ(1u, object.refs);
        CComPtr<IUnknown> shared = CComPtr<IUnknown>::Share(&object);
        EXPECT_EQ(2u, object.refs);
        CComPtr<IUnknown> moved(std::move(shared));
        EXPECT_EQ(2u, object.refs);
        EXPECT_FALSE(shared);
        *moved.Receive() = nullptr;   // Receive releases what was held
        EXPECT_EQ(1u, object.refs);
    }
    EXPECT_EQ(0u, object.refs);
}

TEST(SelectObject, PutsThePreviousObjectBack)
{
    CMemoryDc dc(::CreateCompatibleDC(nullptr));
    HGDIOBJ before = ::GetCurrentObject(dc.Get(), OBJ_BRUSH);
    HGDIOBJ black = ::GetStockObject(BLACK_BRUSH);
    {
        CSelectObject select(dc.Get(), black);
        EXPECT_EQ(black, ::GetCurrentObject(dc.Get(), OBJ_BRUSH));
    }
    EXPECT_EQ(before, ::GetCurrentObject(dc.Get(), OBJ_BRUSH));
    { CSelectObject none(dc.Get(), nullptr); }
    EXPECT_EQ(before, ::GetCurrentObject(dc.Get(), OBJ_BRUSH));
}

TEST(ScopeExit, RunsOnceOnReturnAndOnException)
{
    int runs = 0;
    { CScopeExit once([&] { ++runs; }); }
    EXPECT_EQ(1, runs);
    try {
        CScopeExit once([&] { ++runs; });
        throw 1;
    } catch (int) {
        EXPECT_EQ(2, runs);
    }
}

TEST(Strings, CopyToBufferCutsAndTerminates)
{
    wchar_t buffer[4] = {L'x', L'x', L'x', L'x'};
    CopyToBuffer(buffer, 4, L"abcdef");
    EXPECT_STREQ(L"abc", buffer);
    CopyToBuffer(buffer, 4, nullptr);
    EXPECT_STREQ(L"", buffer);
    CopyToBuffer(buffer, 1, L"abc");
    EXPECT_STREQ(L"", buffer);
}

TEST(Strings, LoadResStringReadsTheResourceModule)
{
    EXPECT_EQ(L"A string of the test program", LoadResString(600));
    EXPECT_EQ(L"", LoadResString(601));
    // A newer text that this module lacks comes from the program itself.
    EXPECT_EQ(BuiltInText(IDS_CLOSE_UNSAVED), LoadResString(IDS_CLOSE_UNSAVED));
    EXPECT_FALSE(LoadResString(IDS_CLOSE_UNSAVED).empty());
}

std::wstring MenuText(HMENU hMenu, int position)
{
    wchar_t text[100] = {};
    ::GetMenuStringW(hMenu, static_cast<UINT>(position), text, 100, MF_BYPOSITION);
    return text;
}

// A menu that the module lacks is built from the program's own rows and
// texts; greyed commands are those that do not apply.
TEST(ContextMenu, ComesFromTheModuleOrFromTheProgramsOwnTexts)
{
    CContextMenu fromModule(IDM_SOURCE_CONTEXT);
    ASSERT_EQ(1, ::GetMenuItemCount(fromModule.Popup()));
    EXPECT_EQ(L"Module item", MenuText(fromModule.Popup(), 0));

    CContextMenu builtIn(IDM_PLAYLIST_CONTEXT);
    HMENU hPopup = builtIn.Popup();
    ASSERT_EQ(static_cast<int>(BuiltInMenu(IDM_PLAYLIST_CONTEXT).size()), ::GetMenuItemCount(hPopup));
    EXPECT_EQ(BuiltInText(IDS_MENU_OPEN), MenuText(hPopup, 0));
    EXPECT_TRUE(::GetMenuState(hPopup, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(BuiltInText(IDS_MENU_UNDO), MenuText(hPopup, 2));
    builtIn.EnableCommands([](UINT command) { return command == ID_PLAYLIST_UNDO; });
    EXPECT_FALSE(::GetMenuState(hPopup, ID_PLAYLIST_UNDO, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(::GetMenuState(hPopup, ID_PLAYLIST_REDO, MF_BYCOMMAND) & MF_GRAYED);
}

TEST(Strings, SystemErrorTextHasNoTrailingLineBreak)
{
    std::wstring text = SystemErrorText(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(L'\n', text.back());
}

TEST(MessageBoxHook, SeesEveryBoxAndAnswersIt)
{
    std::wstring seenText, seenCaption;
    UINT seenType = 0;
    SetMessageBoxHook([&](HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
        seenText = text;
        seenCaption = caption;
        seenType = type;
        return IDNO;
    });
    EXPECT_EQ(IDNO, AppMessageBox(nullptr, L"text", L"caption", MB_YESNO | MB_ICONQUESTION));
    SetMessageBoxHook(nullptr);
    EXPECT_EQ(L"text", seenText);
    EXPECT_EQ(L"caption", seenCaption);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONQUESTION), seenType);
}

}  // namespace

namespace {

TEST(FormatIntText, PutsTheNumberIntoTheFirstIntegerConversionOnly)
{
    struct {
        const wchar_t* format;
        int value;
        const wchar_t* expected;
    } cases[] = {
        {L"Playlist %d", 3, L"Playlist 3"},
        {L"%03d. list", 7, L"007. list"},
        {L"%i and %d", 1, L"1 and %d"},
        {L"100%% of %u", 5, L"100% of 5"},
        {L"no number", 5, L"no number"},
        {L"%s %n %x %d", 9, L"%s %n %x 9"},
        {L"%99999d", 1, L"%99999d"},
        {L"trailing %", 1, L"trailing %"},
        {L"", 1, L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, FormatIntText(c.format, c.value)) << testing::PrintToString(std::wstring(c.format));
}

// The format comes from a module that may be replaced: a wide field must come
// out whole, not cut off or read past its buffer.
TEST(FormatIntText, WideFieldsComeOutWhole)
{
    EXPECT_EQ(L"4" + std::wstring(98, L' ') + L"|", FormatIntText(L"%-99d|", 4));
    EXPECT_EQ(L"[" + std::wstring(997, L' ') + L"-5]", FormatIntText(L"[%999d]", -5));
}

// A translation may reorder the places; a place the program gives nothing
// for stays visible rather than reading past the arguments.
TEST(FormatPlaceholders, PutsEachArgumentAtItsNumberInAnyOrder)
{
    const std::vector<std::wstring> args = {L"1.1.0", L"C:\\100%\\Tool", L"x"};
    struct {
        const wchar_t* format;
        const wchar_t* expected;
    } cases[] = {
        {L"v%1, dir %2", L"v1.1.0, dir C:\\100%\\Tool"},
        {L"%3%2%1", L"xC:\\100%\\Tool1.1.0"},
        {L"%1 %1 %%1 %4 %0 %d %", L"1.1.0 1.1.0 %1 %4 %0 %d %"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, FormatPlaceholders(c.format, args)) << testing::PrintToString(std::wstring(c.format));
}

}  // namespace

#include "look/SkinHook.h"
#include "RecordingSkin.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>


namespace {

std::wstring RecordingModuleFolder()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\')) + L"\\recording_skin";
}

// The test holds a reference of its own on the recording module, so that
// what it recorded survives the binding's unloading.
class CRecording {
public:
    CRecording() : m_hModule(::LoadLibraryW((RecordingModuleFolder() + L"\\HookWndU.DLL").c_str())) {}
    ~CRecording() { Release(); }
    void Release()
    {
        if (m_hModule) ::FreeLibrary(m_hModule);
        m_hModule = nullptr;
    }
    bool Loaded() const { return m_hModule != nullptr; }

    const std::vector<CRecordedCall>& Calls() const
    {
        using Fn = const std::vector<CRecordedCall>*(WINAPI*)();
        auto recorded = reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(m_hModule, "RecordedCalls")));
        return *recorded();
    }
    std::vector<DWORD> Operations() const
    {
        std::vector<DWORD> ops;
        for (const CRecordedCall& call : Calls()) ops.push_back(call.operation);
        return ops;
    }

private:
    HMODULE m_hModule;
};

TEST(SkinHook, BindsTheWindowWithTheRecordAndReleasesInOrder)
{
    wchar_t bundle[MAX_PATH] = {};
    SKINPARAMS params;
    ASSERT_TRUE(MakeProgramSkinParams(bundle, params));
    std::wstring expectedBundle = RecordingModuleFolder();
    expectedBundle = expectedBundle.substr(0, expectedBundle.find_last_of(L'\\')) + L"\\ZKWAPl.bff";
    HWND hWnd = reinterpret_cast<HWND>(0x1234);

    CRecording recording;
    ASSERT_TRUE(recording.Loaded());
    CSkinHook skin;
    EXPECT_EQ(33u, skin.AttachSkin(hWnd, &params, (RecordingModuleFolder() + L"\\").c_str()));
    EXPECT_EQ((std::vector<DWORD>{1, 3}), recording.Operations());
    const CRecordedCall* attach = &recording.Calls().back();
    EXPECT_EQ(0x100u, attach->skin);
    EXPECT_EQ(0u, attach->third);
    EXPECT_EQ(0x1234u, attach->fourth);
    EXPECT_EQ(40u, attach->recordSize);
    EXPECT_EQ(expectedBundle, attach->bundlePath);
    EXPECT_EQ("BG.bmp", attach->imageName);
    EXPECT_EQ(0u, attach->otherFieldsOr);

    // A second binding ends the first before it makes its own.
    skin.AttachSkin(hWnd, &params, RecordingModuleFolder().c_str());
    EXPECT_EQ((std::vector<DWORD>{1, 3, 4, 2, 1, 3}), recording.Operations());
    EXPECT_EQ(0x101u, recording.Calls().back().skin);

    EXPECT_EQ(44u, skin.ReleaseSkin());
    EXPECT_EQ((std::vector<DWORD>{1, 3, 4, 2, 1, 3, 4, 2}), recording.Operations());
    EXPECT_FALSE(skin.IsBound());
    EXPECT_EQ(0u, skin.ReleaseSkin());
    recording.Release();
    EXPECT_EQ(nullptr, ::GetModuleHandleW(L"HookWndU.DLL")) << "the binding kept the module loaded";
}

TEST(SkinHook, RefusedSkinLeavesTheWindowAloneButStillUnloads)
{
    CRecording recording;
    ASSERT_TRUE(recording.Loaded());
    HMODULE hModule = ::GetModuleHandleW(L"HookWndU.DLL");
    using RefuseFn = void(WINAPI*)(BOOL);
    auto refuse = reinterpret_cast<RefuseFn>(reinterpret_cast<void*>(::GetProcAddress(hModule, "RefuseSkins")));
    refuse(TRUE);
    CSkinHook skin;
    EXPECT_EQ(0u, skin.AttachSkin(nullptr, nullptr, RecordingModuleFolder().c_str()));
    EXPECT_EQ(0u, skin.ReleaseSkin());
    refuse(FALSE);
    EXPECT_EQ((std::vector<DWORD>{1}), recording.Operations());
}

TEST(SkinHook, WithoutModuleOrSkinNothingIsBound)
{
    CSkinHook never;
    EXPECT_EQ(0u, never.ReleaseSkin());

    // The program's folder holds no skinning module in the test build, and
    // the plain name finds none either.
    CSkinHook missing;
    EXPECT_EQ(0u, missing.AttachSkin(nullptr, nullptr, L"C:\\no\\such\\folder"));
    EXPECT_FALSE(missing.IsBound());

    std::wstring longFolder(MAX_PATH - 5, L'x');
    EXPECT_EQ(0u, missing.AttachSkin(nullptr, nullptr, longFolder.c_str()));
}

TEST(SkinHook, ModuleMessagesAreRegisteredAtStart)
{
    EXPECT_EQ(::RegisterWindowMessageW(L"WM_HKWND_FUNC"), g_uMsgHkWndFunc);
    EXPECT_EQ(::RegisterWindowMessageW(L"WM_HKBUTTON_FUNCTION"), g_uMsgHkButtonFunction);
    EXPECT_EQ(::RegisterWindowMessageW(L"WM_HKSTATIC_FUNCTION"), g_uMsgHkStaticFunction);
    EXPECT_NE(0u, g_uMsgHkWndFunc);
}

}  // namespace

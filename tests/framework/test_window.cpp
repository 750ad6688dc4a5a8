#include "framework/Dialog.h"
#include "framework/ListView.h"
#include "framework/Window.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace {

const UINT kTestMessage = WM_APP + 1;

// Records what reaches it.
class CRecordingWindow : public CWindow {
public:
    std::vector<UINT> messages;
    std::vector<UINT> reflected;
    bool takeReflection = true;
    bool throwOnTestMessage = false;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        messages.push_back(msg);
        if (msg == kTestMessage) {
            if (throwOnTestMessage) throw std::runtime_error("handler failed");
            return 42;
        }
        return CWindow::WindowProc(msg, wParam, lParam);
    }
    bool OnReflectedNotify(NMHDR* header, LRESULT& result) override
    {
        reflected.push_back(header->code);
        result = 7;
        return takeReflection;
    }
    bool OnReflectedCommand(UINT code, LRESULT& result) override
    {
        reflected.push_back(code);
        result = 0;
        return takeReflection;
    }
};

class CParentWindow : public CRecordingWindow {
public:
    std::vector<int> notifies;
    std::vector<int> commands;

protected:
    LRESULT OnNotify(int id, NMHDR*) override
    {
        notifies.push_back(id);
        return 3;
    }
    bool OnCommand(int id, UINT, HWND) override
    {
        commands.push_back(id);
        return true;
    }
};

HWND CreatePlain(CWindow& object, HWND hParent = nullptr, UINT_PTR id = 0)
{
    DWORD style = hParent ? WS_CHILD : WS_POPUP;
    return object.CreateEx(0, L"STATIC", L"", style, 0, 0, 50, 50, hParent, id);
}

TEST(Window, CreatedWindowSeesItsCreationMessages)
{
    CRecordingWindow w;
    ASSERT_TRUE(CreatePlain(w));
    EXPECT_EQ(w.messages.front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_NE(w.messages.end(), std::find(w.messages.begin(), w.messages.end(), WM_CREATE));
    EXPECT_EQ(&w, CWindow::FromHandle(w.Hwnd()));
    ::DestroyWindow(w.Hwnd());
    EXPECT_EQ(nullptr, w.Hwnd());
}

// Makes an input-method window, as the system may do for a thread's first
// top-level window, inside the creation that binds the object.
class CWindowAfterInputMethod : public CRecordingWindow {
public:
    HWND Create(HWND& hInputMethod)
    {
        WNDCLASSW wc = {};
        wc.style = CS_IME;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TestInputMethod";
        ::RegisterClassW(&wc);
        CBindNextWindow bind(this);
        hInputMethod = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                         wc.hInstance, nullptr);
        return ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                 nullptr);
    }
};

TEST(Window, BindingPassesOverAnInputMethodWindow)
{
    CWindowAfterInputMethod w;
    HWND hInputMethod = nullptr;
    HWND hWnd = w.Create(hInputMethod);
    ASSERT_TRUE(hInputMethod && hWnd);
    EXPECT_EQ(nullptr, CWindow::FromHandle(hInputMethod));
    EXPECT_EQ(hWnd, w.Hwnd());
    EXPECT_EQ(42, ::SendMessageW(hWnd, kTestMessage, 0, 0));
    ::DestroyWindow(hInputMethod);
    ::DestroyWindow(hWnd);
}

TEST(Window, AttachSubclassesAndDetachGivesBack)
{
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    {
        CRecordingWindow w;
        ASSERT_TRUE(w.Attach(hWnd));
        CRecordingWindow second;
        EXPECT_FALSE(second.Attach(hWnd));   // one object per window
        EXPECT_EQ(42, ::SendMessageW(hWnd, kTestMessage, 0, 0));
        w.Detach();
        EXPECT_EQ(nullptr, CWindow::FromHandle(hWnd));
        EXPECT_EQ(0, ::SendMessageW(hWnd, kTestMessage, 0, 0));
        ASSERT_TRUE(w.Attach(hWnd));
    }
    // The object's end unbinds the window, which lives on.
    EXPECT_TRUE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWindow::FromHandle(hWnd));
    ::DestroyWindow(hWnd);
}

TEST(Window, ExceptionsStopAtTheWindowProcedure)
{
    CRecordingWindow w;
    ASSERT_TRUE(CreatePlain(w));
    w.throwOnTestMessage = true;
    EXPECT_EQ(0, w.Send(kTestMessage));
    ::DestroyWindow(w.Hwnd());
}

TEST(Window, ParentOffersChildNotificationsToTheChildFirst)
{
    CParentWindow parent;
    ASSERT_TRUE(CreatePlain(parent));
    CRecordingWindow child;
    ASSERT_TRUE(CreatePlain(child, parent.Hwnd(), 77));

    NMHDR header = {child.Hwnd(), 77, NM_CLICK};
    EXPECT_EQ(7, parent.Send(WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&header)));
    EXPECT_EQ(std::vector<UINT>{static_cast<UINT>(NM_CLICK)}, child.reflected);
    EXPECT_TRUE(parent.notifies.empty());

    child.takeReflection = false;
    EXPECT_EQ(3, parent.Send(WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&header)));
    EXPECT_EQ(std::vector<int>{77}, parent.notifies);

    parent.Send(WM_COMMAND, MAKEWPARAM(77, BN_CLICKED), reinterpret_cast<LPARAM>(child.Hwnd()));
    EXPECT_EQ(std::vector<int>{77}, parent.commands);
    ::DestroyWindow(parent.Hwnd());
    EXPECT_EQ(nullptr, child.Hwnd());
}

class CTestDialog : public CModalDialog {
public:
    CTestDialog() : CModalDialog(500, nullptr) {}
    std::vector<std::string> calls;
    UINT closeWith = IDCANCEL;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_CREATE) calls.push_back("create");
        return CModalDialog::WindowProc(msg, wParam, lParam);
    }
    void BindControls() override
    {
        calls.push_back("bind");
        EXPECT_TRUE(m_edit.AttachDlgItem(Hwnd(), 501));
    }
    BOOL OnInitDialog() override
    {
        calls.push_back("init");
        // Press the button once the modal loop runs.
        ::PostMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(closeWith, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(Hwnd(), static_cast<int>(closeWith))));
        return TRUE;
    }
    void OnOK() override
    {
        calls.push_back("ok");
        CModalDialog::OnOK();
    }
    void OnCancel() override
    {
        calls.push_back("cancel");
        CModalDialog::OnCancel();
    }

private:
    CRecordingWindow m_edit;
};

TEST(ModalDialog, RunsFromCreationToEnd)
{
    CTestDialog ok;
    ok.closeWith = IDOK;
    EXPECT_EQ(IDOK, ok.DoModal());
    EXPECT_EQ((std::vector<std::string>{"create", "bind", "init", "ok"}), ok.calls);
    EXPECT_EQ(nullptr, ok.Hwnd());

    CTestDialog cancel;
    EXPECT_EQ(IDCANCEL, cancel.DoModal());
    EXPECT_EQ((std::vector<std::string>{"create", "bind", "init", "cancel"}), cancel.calls);
}

TEST(ModalDialog, MissingTemplateFailsWithoutBinding)
{
    class CMissing : public CModalDialog {
    public:
        CMissing() : CModalDialog(999, nullptr) {}
    } missing;
    EXPECT_EQ(-1, missing.DoModal());
    EXPECT_EQ(nullptr, missing.Hwnd());
    // The binding hook is gone: the next window is nobody's.
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    EXPECT_EQ(nullptr, CWindow::FromHandle(hWnd));
    ::DestroyWindow(hWnd);
}

}  // namespace

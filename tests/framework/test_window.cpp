#include "framework/Dialog.h"
#include "framework/ListView.h"
#include "framework/Strings.h"
#include "framework/Window.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <stdexcept>
#include <thread>
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

HWND CreateUnbound(const wchar_t* className)
{
    return ::CreateWindowExW(0, className, L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
}

WNDPROC WindowProcOf(HWND hWnd)
{
    return reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
}

// A later subclass made the way a skinning module makes one: its procedure
// on top of the window's, its own record in the window's user data. It can
// take itself out only while it is on top.
class CForeignLayer {
public:
    explicit CForeignLayer(HWND hWnd) : m_hWnd(hWnd)
    {
        m_previousData = ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        m_pfnPrevious = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    }
    ~CForeignLayer() { Remove(); }
    CForeignLayer(const CForeignLayer&) = delete;
    CForeignLayer& operator=(const CForeignLayer&) = delete;

    // A careless module's end: it restores what it saved, cutting out
    // whatever came above it.
    void Remove()
    {
        if (!m_hWnd || !::IsWindow(m_hWnd)) return;
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnPrevious));
        ::SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, m_previousData);
        m_hWnd = nullptr;
    }
    int messages = 0;
    bool removeAtDestroy = false;

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
    {
        CForeignLayer* self = reinterpret_cast<CForeignLayer*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        ++self->messages;
        WNDPROC pfnPrevious = self->m_pfnPrevious;
        if (msg == WM_DESTROY && self->removeAtDestroy) self->Remove();
        return ::CallWindowProcW(pfnPrevious, hWnd, msg, wParam, lParam);
    }

    HWND m_hWnd;
    WNDPROC m_pfnPrevious = nullptr;
    LONG_PTR m_previousData = 0;
};

// A later subclass through the common controls, which may be taken out in
// any order.
class CCommonLayer {
public:
    CCommonLayer(HWND hWnd, UINT_PTR id) : m_hWnd(hWnd), m_id(id)
    {
        ::SetWindowSubclass(hWnd, Proc, id, reinterpret_cast<DWORD_PTR>(this));
    }
    ~CCommonLayer() { Remove(); }
    CCommonLayer(const CCommonLayer&) = delete;
    CCommonLayer& operator=(const CCommonLayer&) = delete;

    void Remove()
    {
        if (m_hWnd) ::RemoveWindowSubclass(m_hWnd, Proc, m_id);
        m_hWnd = nullptr;
    }
    int messages = 0;

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
    {
        ++reinterpret_cast<CCommonLayer*>(self)->messages;
        return ::DefSubclassProc(hWnd, msg, wParam, lParam);
    }

    HWND m_hWnd;
    UINT_PTR m_id;
};

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

// A creation hook of another module, as a skinning module may keep one.
std::vector<HWND> g_created;
bool g_refuseCreation = false;

LRESULT CALLBACK OtherCreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code != HCBT_CREATEWND) return ::CallNextHookEx(nullptr, code, wParam, lParam);
    g_created.push_back(reinterpret_cast<HWND>(wParam));
    return g_refuseCreation ? 1 : 0;
}

TEST(Window, OtherCreationHooksSeeBoundWindowsAndMayRefuseThem)
{
    HHOOK hHook = ::SetWindowsHookExW(WH_CBT, OtherCreationHook, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(nullptr, hHook);
    CRecordingWindow w;
    ASSERT_TRUE(CreatePlain(w));
    EXPECT_NE(g_created.end(), std::find(g_created.begin(), g_created.end(), w.Hwnd()));
    ::DestroyWindow(w.Hwnd());

    g_refuseCreation = true;
    CRecordingWindow refused;
    EXPECT_EQ(nullptr, CreatePlain(refused));
    g_refuseCreation = false;
    ::UnhookWindowsHookEx(hHook);
    EXPECT_EQ(nullptr, refused.Hwnd()) << "no binding to a window that never came";
    EXPECT_EQ(nullptr, CWindow::FromHandle(g_created.back()));
}

TEST(Window, AttachSubclassesAndDetachGivesBack)
{
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    WNDPROC pfnOwn = WindowProcOf(hWnd);
    // The user data belongs to whoever else wants it.
    ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0x5157);
    {
        CRecordingWindow w;
        ASSERT_TRUE(w.Attach(hWnd));
        CRecordingWindow second;
        EXPECT_FALSE(second.Attach(hWnd));   // one object per window
        EXPECT_EQ(42, ::SendMessageW(hWnd, kTestMessage, 0, 0));
        w.Detach();
        EXPECT_EQ(nullptr, CWindow::FromHandle(hWnd));
        EXPECT_EQ(0, ::SendMessageW(hWnd, kTestMessage, 0, 0));
        EXPECT_EQ(pfnOwn, WindowProcOf(hWnd));
        ASSERT_TRUE(w.Attach(hWnd));
    }
    // The object's end unbinds the window, which lives on.
    EXPECT_TRUE(::IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWindow::FromHandle(hWnd));
    EXPECT_EQ(pfnOwn, WindowProcOf(hWnd));
    EXPECT_EQ(0x5157, ::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    ::DestroyWindow(hWnd);
}

TEST(Window, FromHandleAndReflectionHoldUnderLaterLayers)
{
    CParentWindow parent;
    ASSERT_TRUE(CreatePlain(parent));
    CRecordingWindow child;
    ASSERT_TRUE(CreatePlain(child, parent.Hwnd(), 77));
    WNDPROC pfnOwn = reinterpret_cast<WNDPROC>(::GetClassLongPtrW(child.Hwnd(), GCLP_WNDPROC));
    NMHDR header = {child.Hwnd(), 77, NM_CLICK};
    auto bound = [&] {
        child.reflected.clear();
        return CWindow::FromHandle(child.Hwnd()) == &child && CWindow::FromHandle(parent.Hwnd()) == &parent &&
               parent.Send(WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&header)) == 7 &&
               child.reflected == std::vector<UINT>{static_cast<UINT>(NM_CLICK)} && child.Send(kTestMessage) == 42;
    };

    // One layer on each, with its own record in the user data.
    CForeignLayer parentSkin(parent.Hwnd());
    CForeignLayer childSkin(child.Hwnd());
    EXPECT_TRUE(bound());
    {
        CCommonLayer low(child.Hwnd(), 1);
        CCommonLayer high(child.Hwnd(), 2);
        CCommonLayer onParent(parent.Hwnd(), 3);
        EXPECT_TRUE(bound());
        EXPECT_GT(high.messages, 0);
        EXPECT_GT(low.messages, 0);
        // Layers go in an order of their own: the lower one first.
        low.Remove();
        EXPECT_TRUE(bound());
        onParent.Remove();
        EXPECT_TRUE(bound());
    }
    EXPECT_GT(childSkin.messages, 0);
    childSkin.Remove();
    parentSkin.Remove();
    EXPECT_TRUE(bound());
    // On top once more, the binding gives the window its own procedure back.
    child.Detach();
    EXPECT_EQ(pfnOwn, WindowProcOf(header.hwndFrom));
    ::DestroyWindow(parent.Hwnd());
    EXPECT_EQ(nullptr, parent.Hwnd());
}

TEST(Window, DetachUnderALaterLayerLeavesTheControlWorking)
{
    HWND hEdit = CreateUnbound(L"EDIT");
    WNDPROC pfnEdit = WindowProcOf(hEdit);
    CRecordingWindow w;
    ASSERT_TRUE(w.Attach(hEdit));
    CForeignLayer skin(hEdit);
    w.Detach();
    EXPECT_EQ(nullptr, CWindow::FromHandle(hEdit));
    const size_t seen = w.messages.size();
    ::SendMessageW(hEdit, WM_CHAR, 'a', 0);
    EXPECT_EQ(L"a", GetWindowTextString(hEdit)) << "the edit control still edits";
    EXPECT_EQ(seen, w.messages.size()) << "the detached object hears nothing";
    EXPECT_GT(skin.messages, 0);

    // Bound again, an object takes the place under the layer.
    CRecordingWindow again;
    ASSERT_TRUE(again.Attach(hEdit));
    EXPECT_EQ(&again, CWindow::FromHandle(hEdit));
    EXPECT_EQ(42, ::SendMessageW(hEdit, kTestMessage, 0, 0));
    again.Detach();

    // With the layer gone, the binding's place leaves the chain at the next
    // message, and the chain is the control's own again.
    skin.Remove();
    ::SendMessageW(hEdit, WM_CHAR, 'b', 0);
    EXPECT_EQ(L"ab", GetWindowTextString(hEdit));
    EXPECT_EQ(pfnEdit, WindowProcOf(hEdit));
    ::DestroyWindow(hEdit);
}

// A layer put on before ours (a skinning module's, at creation) that takes
// itself out at WM_DESTROY cuts ours out too, with any layer above ours: the
// binding still ends with the window, and no entry is left for its handle.
TEST(Window, BindingEndsWithItsWindowWhenALowerLayerCutsItOut)
{
    for (bool layerAbove : {false, true}) {
        HWND hWnd = CreateUnbound(L"STATIC");
        CForeignLayer below(hWnd);
        below.removeAtDestroy = true;
        CRecordingWindow w;
        ASSERT_TRUE(w.Attach(hWnd));
        std::unique_ptr<CCommonLayer> above(layerAbove ? new CCommonLayer(hWnd, 1) : nullptr);
        ::DestroyWindow(hWnd);
        EXPECT_EQ(nullptr, w.Hwnd()) << layerAbove;
        EXPECT_EQ(nullptr, CWindow::FromHandle(hWnd)) << layerAbove;
        EXPECT_EQ(static_cast<UINT>(WM_NCDESTROY), w.messages.back()) << layerAbove;
    }
}

// A window's procedure runs on the thread that made it, so the binding is
// that thread's: other threads neither find nor bind it.
TEST(Window, BindingBelongsToTheWindowsThread)
{
    CRecordingWindow w;
    HWND hWnd = nullptr;
    bool bBound = false;
    HANDLE hReady = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE hDone = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread owner([&] {
        hWnd = CreateUnbound(L"STATIC");
        bBound = w.Attach(hWnd) && CWindow::FromHandle(hWnd) == &w;
        ::SetEvent(hReady);
        // Answers the test thread's sends until it is done.
        while (::MsgWaitForMultipleObjects(1, &hDone, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        }
        ::DestroyWindow(hWnd);
    });
    ::WaitForSingleObject(hReady, 10000);
    EXPECT_TRUE(bBound);
    EXPECT_EQ(nullptr, CWindow::FromHandle(hWnd));
    CRecordingWindow here;
    EXPECT_FALSE(here.Attach(hWnd));
    EXPECT_EQ(42, ::SendMessageW(hWnd, kTestMessage, 0, 0)) << "the owning thread finds its object";
    ::SetEvent(hDone);
    owner.join();
    EXPECT_EQ(nullptr, w.Hwnd());
    ::CloseHandle(hReady);
    ::CloseHandle(hDone);
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
    explicit CTestDialog(HWND hParent = nullptr) : CModalDialog(500, hParent) {}
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

// An owner that, as its dialog disables it before creating the window, takes
// the creation hook away (as a system that refuses hooks leaves it) or binds
// the dialog to another object.
class CHookThief : public CWindow {
public:
    CWindow* pBindInstead = nullptr;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_ENABLE) m_steal.reset(wParam ? nullptr : new CBindNextWindow(pBindInstead));
        return CWindow::WindowProc(msg, wParam, lParam);
    }

private:
    std::unique_ptr<CBindNextWindow> m_steal;
};

// Ends a test dialog that nothing answers, so that a fault fails the test
// instead of hanging it.
void CALLBACK EndUnansweredDialog(HWND, UINT, UINT_PTR, DWORD)
{
    if (HWND hDlg = ::FindWindowW(L"#32770", L"Framework test")) ::EndDialog(hDlg, 99);
}

TEST(ModalDialog, BindsAtItsInitialisationWhenTheHookCouldNot)
{
    CHookThief owner;
    ASSERT_TRUE(CreatePlain(owner));
    UINT_PTR rescue = ::SetTimer(nullptr, 0, 3000, EndUnansweredDialog);
    CTestDialog late(owner.Hwnd());
    late.closeWith = IDOK;
    EXPECT_EQ(IDOK, late.DoModal());
    EXPECT_EQ((std::vector<std::string>{"bind", "init", "ok"}), late.calls) << "only creation is missed";
    EXPECT_EQ(nullptr, late.Hwnd());

    // Neither way binds it: the dialog ends at once.
    CRecordingWindow other;
    owner.pBindInstead = &other;
    CTestDialog unbound(owner.Hwnd());
    EXPECT_EQ(-1, unbound.DoModal());
    EXPECT_TRUE(unbound.calls.empty());
    EXPECT_EQ(nullptr, other.Hwnd()) << "the window is gone";
    ::KillTimer(nullptr, rescue);
    ::DestroyWindow(owner.Hwnd());
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

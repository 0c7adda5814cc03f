// Message maps, command routing and command enabling of the framework.
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "framework/win/App.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/MessageBox.h"
#include "win32/support/OtherThread.h"

namespace {

constexpr UINT kCmdA = 40001;
constexpr UINT kCmdB = 40002;
constexpr UINT kRangeFirst = 41000;
constexpr UINT kRangeLast = 41009;
constexpr UINT kUnhandled = 42000;
constexpr UINT kRouted = 43000;
constexpr UINT WM_PQ_TEST = WM_APP + 5;

class CBaseWnd : public CWnd {
public:
    std::vector<std::string> log;
    LRESULT OnTest(WPARAM w, LPARAM l) {
        log.push_back("base-test");
        return static_cast<LRESULT>(w + l);
    }
    LRESULT OnSize(WPARAM, LPARAM) {
        log.push_back("base-size");
        return 0;
    }
    void OnA() { log.push_back("base-a"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_MESSAGE(WM_PQ_TEST, OnTest)
    ON_MESSAGE(WM_SIZE, OnSize)
    ON_COMMAND(kCmdA, OnA)
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
public:
    LRESULT OnSize2(WPARAM, LPARAM) {
        log.push_back("derived-size");
        return 0;
    }
    void OnB() { log.push_back("derived-b"); }
    void OnRange(UINT id) { log.push_back("range-" + std::to_string(id - kRangeFirst)); }
    void OnUpdateB(CCmdUI* ui) {
        ui->Enable(bEnabled);
        ui->SetCheck(true);
    }
    bool bEnabled = false;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_MESSAGE(WM_SIZE, OnSize2)
    ON_COMMAND(kCmdB, OnB)
    ON_COMMAND_RANGE(kRangeFirst, kRangeLast, OnRange)
    ON_UPDATE_COMMAND_UI(kCmdB, OnUpdateB)
END_MESSAGE_MAP()

bool RegisterTestClass() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpszClassName = "PqTestWindow";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    return CWnd::RegisterWindowClass(wc);
}

TEST(MessageMapTest, DerivedEntriesComeFirstAndBaseEntriesStillApply) {
    ASSERT_TRUE(RegisterTestClass());
    CDerivedWnd w;
    ASSERT_TRUE(w.CreateEx(0, "PqTestWindow", "t", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, 0));
    EXPECT_EQ(CWnd::FromHandle(w.m_hWnd), &w);
    w.log.clear();
    EXPECT_EQ(w.SendMessage(WM_PQ_TEST, 2, 3), 5);
    w.SendMessage(WM_SIZE, 0, 0);
    EXPECT_EQ(w.log, (std::vector<std::string>{"base-test", "derived-size"}));

    w.log.clear();
    w.SendMessage(WM_COMMAND, MAKEWPARAM(kCmdA, 0), 0);
    w.SendMessage(WM_COMMAND, MAKEWPARAM(kCmdB, 1), 0);  // accelerator
    w.SendMessage(WM_COMMAND, MAKEWPARAM(kRangeFirst + 3, 0), 0);
    w.SendMessage(WM_COMMAND, MAKEWPARAM(kUnhandled, 0), 0);
    EXPECT_EQ(w.log, (std::vector<std::string>{"base-a", "derived-b", "range-3"}));
    HWND h = w.m_hWnd;
    EXPECT_TRUE(w.DestroyWindow());
    EXPECT_EQ(w.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandle(h), nullptr);
}

TEST(MessageMapTest, CommandStatesComeFromUpdateHandlersOrTheCommandHandler) {
    CDerivedWnd w;
    CCmdUI ui;
    EXPECT_TRUE(w.OnCmdMsg(kCmdB, CN_UPDATE_COMMAND_UI, &ui));
    EXPECT_FALSE(ui.m_bEnabled);
    EXPECT_TRUE(ui.m_bChecked);
    w.bEnabled = true;
    CCmdUI ui2;
    w.OnCmdMsg(kCmdB, CN_UPDATE_COMMAND_UI, &ui2);
    EXPECT_TRUE(ui2.m_bEnabled);

    // A command with a handler but no state handler is enabled.
    CCmdUI ui3;
    ui3.m_bEnabled = false;
    EXPECT_TRUE(w.OnCmdMsg(kCmdA, CN_UPDATE_COMMAND_UI, &ui3));
    EXPECT_TRUE(ui3.m_bEnabled);
    CCmdUI ui4;
    EXPECT_FALSE(w.OnCmdMsg(kUnhandled, CN_UPDATE_COMMAND_UI, &ui4));
}

class CountingRouter : public ICommandRouter {
public:
    int commands = 0;
    bool RouteCommand(UINT id, int) override {
        if (id != kRouted) return false;
        ++commands;
        return true;
    }
    bool RouteCommandState(UINT id, CCmdUI* ui) override {
        if (id != kRouted) return false;
        ui->Enable(true);
        return true;
    }
};

class CTestFrame : public CFrameWnd {
public:
    int aCount = 0;
    void OnA() { ++aCount; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
    ON_COMMAND(kCmdA, OnA)
END_MESSAGE_MAP()

TEST(FrameWndTest, RouterFirstThenFrameAndUnknownCommandsAreGreyed) {
    ASSERT_TRUE(RegisterTestClass());
    CTestFrame frame;
    CountingRouter router;
    frame.SetCommandRouter(&router);
    ASSERT_TRUE(frame.CreateFrame("PqTestWindow", "frame", WS_OVERLAPPEDWINDOW, 0));
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(kRouted, 0), 0);
    frame.SendMessage(WM_COMMAND, MAKEWPARAM(kCmdA, 0), 0);
    EXPECT_EQ(router.commands, 1);
    EXPECT_EQ(frame.aCount, 1);

    // The menu asks every item's state when it opens.
    HMENU popup = ::CreatePopupMenu();
    ::AppendMenuA(popup, MF_STRING, kRouted, "routed");
    ::AppendMenuA(popup, MF_STRING, kCmdA, "frame");
    ::AppendMenuA(popup, MF_STRING, kUnhandled, "later");
    frame.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    auto state = [&](UINT id) { return ::GetMenuState(popup, id, MF_BYCOMMAND); };
    EXPECT_FALSE(state(kRouted) & MF_GRAYED);
    EXPECT_FALSE(state(kCmdA) & MF_GRAYED);
    EXPECT_TRUE(state(kUnhandled) & MF_GRAYED);
    ::DestroyMenu(popup);
    frame.DestroyWindow();
}

TEST(FrameWndTest, PromptIsTheStringTableTextBeforeTheLineBreak) {
    CFrameWnd frame;
    EXPECT_EQ(frame.GetMessageString(32777), "新しいファイルを作成します。");
    EXPECT_EQ(frame.GetMessageString(1), "");
}

class RecordingHandler : public IPreTranslateHandler {
public:
    RecordingHandler(std::vector<int>* order, int id, bool consume) : m_order(order), m_id(id), m_consume(consume) {}
    bool PreTranslate(MSG* msg) override {
        if (msg->message != WM_PQ_TEST) return false;
        m_order->push_back(m_id);
        return m_consume;
    }

private:
    std::vector<int>* m_order;
    int m_id;
    bool m_consume;
};

TEST(AppTest, PreTranslateChainRunsInOrderAndStopsAtTheFirstConsumer) {
    CWinApp app;
    std::vector<int> order;
    RecordingHandler first(&order, 1, false), second(&order, 2, true), third(&order, 3, true);
    app.AddPreTranslateHandler(&first);
    app.AddPreTranslateHandler(&second);
    app.AddPreTranslateHandler(&third);
    app.AddPreTranslateHandler(&first);  // added once only
    MSG msg = {};
    msg.message = WM_PQ_TEST;
    EXPECT_TRUE(app.PreTranslateMessage(&msg));
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    app.RemovePreTranslateHandler(&second);
    order.clear();
    EXPECT_TRUE(app.PreTranslateMessage(&msg));
    EXPECT_EQ(order, (std::vector<int>{1, 3}));
}

TEST(AppTest, MessageLoopEndsWithTheQuitCode) {
    CWinApp app;
    ::PostQuitMessage(7);
    EXPECT_EQ(app.Run(), 7);
}

TEST(AppTest, RegistryRootIsCompanyAndTitle) {
    CWinApp app;
    app.SetRegistryKey("Tavenor");
    EXPECT_EQ(app.RegistryRoot(), "Software\\Tavenor\\Pembroquil");
}

class RecordingMessages : public IMessageBoxService {
public:
    struct Shown {
        std::string text, title;
        UINT type;
    };
    std::vector<Shown> shown;
    int answer = IDOK;
    int Show(HWND, const std::string& text, const std::string& title, UINT type) override {
        shown.push_back({text, title, type});
        return answer;
    }
};

TEST(MessageBoxTest, MessagesAreTitledWithTheProductAndFileMessagesStartWithThePath) {
    RecordingMessages rec;
    IMessageBoxService* old = SetMessageBoxService(&rec);
    PqErrorBox(nullptr, "エラー");
    rec.answer = IDCANCEL;
    EXPECT_EQ(PqQuestionBox(nullptr, "よろしいですか？"), IDCANCEL);
    PqFileMessageBox(nullptr, "C:\\表\\ソ.html", "は見つかりません。", MB_OK | MB_ICONERROR);
    SetMessageBoxService(old);

    ASSERT_EQ(rec.shown.size(), 3u);
    for (const auto& s : rec.shown) EXPECT_EQ(s.title, "Pembroquil");
    EXPECT_EQ(rec.shown[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(rec.shown[1].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(rec.shown[2].text, "C:\\表\\ソ.htmlは見つかりません。");
}

class CThrowingWnd : public CWnd {
public:
    bool failCreate = false;
    int calls = 0;
    LRESULT OnCreate(WPARAM, LPARAM) {
        if (failCreate) throw std::bad_alloc();
        return 0;
    }
    LRESULT OnTest(WPARAM w, LPARAM) {
        ++calls;
        if (w) throw std::bad_alloc();
        return 7;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
    ON_MESSAGE(WM_CREATE, OnCreate)
    ON_MESSAGE(WM_PQ_TEST, OnTest)
END_MESSAGE_MAP()

TEST(MessageMapTest, NoExceptionLeavesAWindowProcedure) {
    ASSERT_TRUE(RegisterTestClass());
    CThrowingWnd w;
    ASSERT_TRUE(w.CreateEx(0, "PqTestWindow", "t", WS_POPUP, 0, 0, 200, 100, nullptr, 0));
    EXPECT_EQ(w.SendMessage(WM_PQ_TEST, 1, 0), 0);  // ran out of memory: ended there
    EXPECT_EQ(w.SendMessage(WM_PQ_TEST, 0, 0), 7);  // and the window goes on
    EXPECT_EQ(w.calls, 2);
    w.DestroyWindow();
    // A creation that throws is refused.
    CThrowingWnd refused;
    refused.failCreate = true;
    EXPECT_FALSE(refused.CreateEx(0, "PqTestWindow", "t", WS_POPUP, 0, 0, 200, 100, nullptr, 0));
    EXPECT_EQ(refused.m_hWnd, nullptr);
}

class CNotifiedWnd : public CWnd {
public:
    int notified = 0;
    void OnPing(NMHDR*, LRESULT* result) {
        ++notified;
        *result = 9;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifiedWnd, CWnd)
    ON_NOTIFY(NM_CLICK, 7, OnPing)
END_MESSAGE_MAP()

struct ThreadWindow {
    HWND hwnd = nullptr;
    static DWORD WINAPI Make(void* p) {
        static_cast<ThreadWindow*>(p)->hwnd =
            ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        return 0;  // the window goes with its thread
    }
};

TEST(MessageMapTest, NotificationsFromOtherThreadsAreReadOnlyWhenTheyAreOurs) {
    ASSERT_TRUE(RegisterTestClass());
    CNotifiedWnd w;
    ASSERT_TRUE(w.CreateEx(0, "PqTestWindow", "t", WS_POPUP, 0, 0, 200, 100, nullptr, 0));
    HWND ours = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ThreadWindow gone;
    HANDLE t = ::CreateThread(nullptr, 0, &ThreadWindow::Make, &gone, 0, nullptr);
    ::WaitForSingleObject(t, 5000);
    ::CloseHandle(t);
    NMHDR fromOurs = {ours, 7, static_cast<UINT>(NM_CLICK)};
    NMHDR fromOther = {gone.hwnd, 7, static_cast<UINT>(NM_CLICK)};
    static const NMHDR readOnly = {nullptr, 7, static_cast<UINT>(NM_CLICK)};
    struct Case {
        LPARAM lParam;
        LRESULT result;
    };
    const Case cases[] = {
        {0, 0},
        {1, 0},
        {static_cast<LPARAM>(0xFFFFFFFFu), 0},
        {static_cast<LPARAM>(-1), 0},
        {static_cast<LPARAM>(0x7FFF0000), 0},
        {reinterpret_cast<LPARAM>(&readOnly), 0},
        {reinterpret_cast<LPARAM>(&fromOther), 0},  // a window of another thread
        {reinterpret_cast<LPARAM>(&fromOurs), 9},   // a control of ours, read
    };
    for (const Case& c : cases)
        EXPECT_EQ(testsupport::SendFromOtherThread(w.m_hWnd, WM_NOTIFY, 7, c.lParam), c.result) << std::hex << c.lParam;
    EXPECT_EQ(w.notified, 1);
    // From this thread, as the controls send it.
    EXPECT_EQ(w.SendMessage(WM_NOTIFY, 7, reinterpret_cast<LPARAM>(&fromOurs)), 9);
    EXPECT_EQ(w.notified, 2);
    ::DestroyWindow(ours);
    w.DestroyWindow();
}

}  // namespace

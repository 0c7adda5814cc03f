// A second program that means harm: it sends the running editor's windows
// their private messages with addresses that are not the editor's to read
// (null, 1, all ones, random, one of this process), WM_COPYDATA of every
// awkward size, random control notifications from a window of its own and
// random command ids. The program must stay up, answer, and keep the
// document's text unless a command changed it.
#include <gtest/gtest.h>

#include "e2e/Hostile.h"

#include <commctrl.h>

#include <cstdio>
#include <random>

#include "shell/core/FrameState.h"

namespace {

constexpr char kText[] = "<html>\r\n<body>\r\n表示ソフト\\の説明 ｱｲｳ\r\n</body>\r\n</html>\r\n";

class HostileE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::ResetSettings());
        // Both panes shown, so their windows are targets too.
        ASSERT_TRUE(e2e::WriteSettingInt("Main", "FolderTreeDisp", 1));
        ASSERT_TRUE(e2e::WriteSettingInt("Main", "RegistTagDisp", 1));
        path = e2e::WorkDir() + "\\hostile.html";
        ASSERT_TRUE(e2e::WriteFileBytes(path, kText));
        const unsigned seed = std::random_device{}();
        std::printf("seed %u\n", seed);
        rng.seed(seed);
        ASSERT_TRUE(app.Start("\"" + path + "\""));
        ASSERT_TRUE(e2e::WaitFor([&] { return app.Title().find("hostile.html") != std::string::npos; }, 10000))
            << app.Title();
        title = app.Title();
    }
    void TearDown() override { app.Kill(); }

    // Values that no handler may take for an address of its own.
    std::vector<LPARAM> BadValues() {
        static int local = 0;
        return {0,
                1,
                static_cast<LPARAM>(0xFFFFFFFFu),
                static_cast<LPARAM>(-1),
                static_cast<LPARAM>(rng()),
                static_cast<LPARAM>((static_cast<unsigned long long>(rng()) << 32) | rng()),
                reinterpret_cast<LPARAM>(&local)};
    }
    // Sends (and posts) a message; false when the program did not answer.
    bool Send(HWND h, UINT message, WPARAM w, LPARAM l, bool post = true) {
        DWORD_PTR result = 0;
        const bool answered =
            ::SendMessageTimeoutA(h, message, w, l, SMTO_ABORTIFHUNG, 3000, &result) != 0 || !::IsWindow(h);
        if (post) ::PostMessageA(h, message, w, l);
        return answered;
    }
    void ExpectAliveWithTextUnchanged(const char* stage) {
        ASSERT_TRUE(app.Running()) << stage;
        e2e::DismissDialogs(app);
        EXPECT_TRUE(e2e::Answers(app.MainWindow())) << stage;
        for (HWND h : e2e::OwnWindows(app.MainWindow())) EXPECT_TRUE(e2e::Answers(h, 2000)) << stage;
        EXPECT_EQ(app.Title(), title) << stage;
        std::string text;
        ASSERT_TRUE(e2e::EditorTextViaClipboard(app, &text)) << stage;
        EXPECT_EQ(text, kText) << stage;
    }

    e2e::Program app;
    std::string path, title;
    std::mt19937 rng;
};

TEST_F(HostileE2E, PrivateMessagesWithForeignAddressesChangeNothing) {
    const std::vector<HWND> targets = e2e::OwnWindows(app.MainWindow());
    ASSERT_GE(targets.size(), 6u);
    // The messages the program answers itself, with every pair of bad values.
    std::vector<UINT> known;
    for (UINT m = 0x0414; m <= 0x041A; ++m) known.push_back(m);
    known.push_back(WM_APP + 0x20);
    known.push_back(WM_APP + 0x311);
    known.push_back(::RegisterWindowMessageA("CMenuBar::WM_GETMENU"));
    for (HWND h : targets) {
        for (UINT m : known) {
            const std::vector<LPARAM> values = BadValues();
            for (std::size_t i = 0; i < values.size(); ++i) {
                // Each value in each place, beside null, 1 and another.
                for (LPARAM other : {values[0], values[1], values[(i + 3) % values.size()]}) {
                    ASSERT_TRUE(Send(h, m, static_cast<WPARAM>(values[i]), other)) << std::hex << m << " " << i;
                    ASSERT_TRUE(Send(h, m, static_cast<WPARAM>(other), values[i])) << std::hex << m << " " << i;
                }
            }
        }
        // The menu bar's "open popup n" with buttons it does not have.
        for (LPARAM l : BadValues()) {
            for (WPARAM w : {WPARAM(0xFFFFFFFFu), WPARAM(-1), WPARAM(1000), WPARAM(rng() | 0x100)})
                ASSERT_TRUE(Send(h, WM_APP + 0x310, w, l));
        }
        // The start of both private ranges and the corner of WM_APP the
        // program uses, with random values.
        for (UINT m = WM_USER; m < WM_USER + 0x40; ++m) {
            if (m >= 0x0414 && m <= 0x041A) continue;
            ASSERT_TRUE(Send(h, m, rng(), static_cast<LPARAM>(rng()), false));
        }
        for (UINT m = WM_APP; m < WM_APP + 0x400; m += (m < WM_APP + 0x40 || m >= WM_APP + 0x300) ? 1 : 0x20) {
            if (m == WM_APP + 0x310) continue;
            ASSERT_TRUE(Send(h, m, 1, static_cast<LPARAM>(rng()), false));
        }
    }
    ExpectAliveWithTextUnchanged("private messages");
}

TEST_F(HostileE2E, NotificationsFromAForeignWindowAreNotTrusted) {
    HWND foreign = ::CreateWindowExA(0, "STATIC", "foreign", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(foreign, nullptr);
    NMHDR header = {foreign, 4007, static_cast<UINT>(TCN_SELCHANGE)};
    const UINT codes[] = {static_cast<UINT>(TCN_SELCHANGE), static_cast<UINT>(NM_RCLICK), static_cast<UINT>(NM_DBLCLK),
                          static_cast<UINT>(TVN_SELCHANGEDA), static_cast<UINT>(TVN_GETDISPINFOA),
                          static_cast<UINT>(RBN_HEIGHTCHANGE), static_cast<UINT>(TTN_GETDISPINFOA),
                          static_cast<UINT>(LVN_ITEMCHANGED), static_cast<UINT>(NM_CUSTOMDRAW)};
    for (HWND h : e2e::OwnWindows(app.MainWindow())) {
        for (UINT code : codes) {
            header.code = code;
            // The system may refuse to carry these to another process;
            // what counts is that the program answers afterwards.
            for (LPARAM l : BadValues())
                for (WPARAM id : {WPARAM(0), WPARAM(4007), WPARAM(rng() & 0xFFFF)}) Send(h, WM_NOTIFY, id, l, false);
            Send(h, WM_NOTIFY, 4007, reinterpret_cast<LPARAM>(&header), false);
            ASSERT_TRUE(e2e::Answers(h)) << std::hex << code;
        }
        // Control notifications (codes that no menu or key gives) from
        // the foreign window with any identifier.
        for (int i = 0; i < 60; ++i) {
            const WORD code = static_cast<WORD>(2 + rng() % 0xFFFD);
            const WORD id = static_cast<WORD>(rng());
            ASSERT_TRUE(Send(h, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(foreign)));
        }
    }
    ::DestroyWindow(foreign);
    ExpectAliveWithTextUnchanged("notifications");
}

TEST_F(HostileE2E, CopyDataOfEverySizeAndIdentifier) {
    const int tabs = e2e::TabCount(app);
    const std::string other = e2e::WorkDir() + "\\hostile-other.html";
    ASSERT_TRUE(e2e::WriteFileBytes(other, "<p>other</p>\r\n"));
    for (std::size_t size : {std::size_t(0), std::size_t(1), std::size_t(259), std::size_t(260), std::size_t(65536)}) {
        for (bool nul : {true, false}) {
            // With a NUL: the other file's path, cut or padded to the size.
            std::string data(size, '|');
            if (nul && size) {
                const std::size_t n = std::min(other.size(), size - 1);
                data.replace(0, n, other.substr(0, n));
                data[n] = '\0';
            }
            for (unsigned long id : {shell::kOpenRequestId + 1, 0ul, 1ul, 0xFFFFFFFFul}) {
                COPYDATASTRUCT cds = {static_cast<ULONG_PTR>(id), static_cast<DWORD>(size),
                                      size ? &data[0] : nullptr};
                ASSERT_TRUE(Send(app.MainWindow(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), false));
                // A block that claims more than it holds, and none at all.
                cds.cbData = 0x7FFFFFFF;
                cds.lpData = nullptr;
                Send(app.MainWindow(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), false);
            }
            // Bad block addresses: the system reads the block in this
            // process and may refuse to send.
            for (LPARAM l : BadValues()) Send(app.MainWindow(), WM_COPYDATA, 0, l, false);
            ASSERT_TRUE(e2e::Answers(app.MainWindow()));
        }
    }
    app.WaitIdle();
    EXPECT_EQ(e2e::TabCount(app), tabs) << "a block with a wrong identifier opened something";
    ExpectAliveWithTextUnchanged("foreign copy data");
    // The real identifier: every block names a file (the other one, cut, or
    // one of bars that no folder holds); the program answers each.
    for (std::size_t size : {std::size_t(0), std::size_t(1), std::size_t(259), std::size_t(260), std::size_t(65536)}) {
        for (bool nul : {true, false}) {
            std::string data(size, '|');
            if (nul && size) {
                const std::size_t n = std::min(other.size(), size - 1);
                data.replace(0, n, other.substr(0, n));
                data[n] = '\0';
            }
            COPYDATASTRUCT cds = {static_cast<ULONG_PTR>(shell::kOpenRequestId), static_cast<DWORD>(size),
                                  size ? &data[0] : nullptr};
            ASSERT_TRUE(Send(app.MainWindow(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), false));
            e2e::DismissDialogs(app, 800);
        }
    }
    ASSERT_TRUE(app.Running());
    EXPECT_TRUE(e2e::Answers(app.MainWindow()));
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::TabCount(app) == tabs + 1; }, 5000)) << e2e::TabCount(app);
}

TEST_F(HostileE2E, AddressQuestionsPostedWhileADialogRunsAreDropped) {
    // The plug-ins' question for the current editor (command 1224, the
    // answer written through lParam) and the editor's address messages,
    // posted while the about box runs its own loop.
    ::PostMessageA(app.MainWindow(), WM_COMMAND, MAKEWPARAM(57664, 0), 0);
    HWND box = app.WaitMessageBox(5000);
    ASSERT_NE(box, nullptr);
    HWND editor = app.ShownEditor();
    for (LPARAM l : BadValues()) {
        ::PostMessageA(app.MainWindow(), WM_COMMAND, 1224, l);
        for (UINT m = 0x0414; m <= 0x041A; ++m) ::PostMessageA(editor, m, static_cast<WPARAM>(l), l);
    }
    app.WaitIdle();
    ASSERT_TRUE(app.Running());
    EXPECT_TRUE(::IsWindow(box));
    ExpectAliveWithTextUnchanged("posted during a dialog");
}

TEST_F(HostileE2E, RandomCommandIdsLeaveTheProgramAnswering) {
    // Left out: ending the program, the help viewer and the outside browsers
    // (other programs). Dialogs the rest open are cancelled.
    auto skipped = [](WORD id) {
        return id == 57665 || id == 32778 || id == 40067 || id == 40045 || id == 40046 || id == 40047 || id == 2 ||
               id == SC_CLOSE;
    };
    int sent = 0, dialogs = 0;
    for (int i = 0; i < 100; ++i) {
        WORD id = static_cast<WORD>(rng());
        if (i % 3 == 0) id = static_cast<WORD>(32768 + rng() % 8300);  // the menus' range
        if (i % 3 == 1) id = static_cast<WORD>(40000 + rng() % 100);
        if (skipped(id)) continue;
        ::PostMessageA(app.MainWindow(), WM_COMMAND, MAKEWPARAM(id, rng() % 2), 0);
        ++sent;
        app.WaitIdle(2000);
        dialogs += e2e::DismissDialogs(app, 100);
        ASSERT_TRUE(app.Running()) << "command " << id;
    }
    std::printf("%d commands, %d dialogs dismissed\n", sent, dialogs);
    e2e::DismissDialogs(app, 1000);
    EXPECT_TRUE(e2e::Answers(app.MainWindow()));
    for (HWND h : e2e::OwnWindows(app.MainWindow())) EXPECT_TRUE(e2e::Answers(h, 2000));
}

}  // namespace

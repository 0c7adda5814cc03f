// A long random run of the real program: typed text (Japanese included),
// editing keys, menu commands, saves and restarts. After every save the file
// holds exactly the text the editor showed; the program never dies or stops
// answering; its GDI and USER object counts are printed at the end.
// PQ_SOAK_ACTIONS sets the number of actions (200 by default), PQ_SOAK_SEED
// the random seed.
#include <gtest/gtest.h>

#include "e2e/Hostile.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <utility>

namespace {

unsigned EnvNumber(const char* name, unsigned fallback) {
    const char* v = std::getenv(name);
    return v && *v ? static_cast<unsigned>(std::strtoul(v, nullptr, 10)) : fallback;
}

struct GuiCounts {
    DWORD gdi = 0, user = 0, windows = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM lp) {
    ++reinterpret_cast<std::pair<DWORD, DWORD>*>(lp)->second;
    return TRUE;
}

BOOL CALLBACK CountWindow(HWND h, LPARAM lp) {
    auto* c = reinterpret_cast<std::pair<DWORD, DWORD>*>(lp);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(h, &owner);
    if (owner == c->first) {
        ++c->second;
        ::EnumChildWindows(h, &CountChild, lp);  // every descendant once
    }
    return TRUE;
}

GuiCounts Counts(DWORD pid) {
    GuiCounts c;
    // Wine answers GetGuiResources with 0, so the windows are counted too.
    std::pair<DWORD, DWORD> windows{pid, 0};
    ::EnumWindows(&CountWindow, reinterpret_cast<LPARAM>(&windows));
    c.windows = windows.second;
    if (HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid)) {
        c.gdi = ::GetGuiResources(process, GR_GDIOBJECTS);
        c.user = ::GetGuiResources(process, GR_USEROBJECTS);
        ::CloseHandle(process);
    }
    return c;
}

// Commands that edit, move, show or hide, and the dialogs of the Edit menu
// (cancelled). Left out: the save and read codes and line ends (the file
// would then rightly differ from the copied text), new, open and close,
// the browsers and help (other programs) and exit.
const WORD kCommands[] = {32771, 32772, 32773, 32774, 32775, 40011, 40027, 32827, 40032, 40033, 40063,
                          32829, 32787, 32788, 32786, 32789, 32790, 32826, 32822, 32823, 32824, 40034,
                          40035, 40066, 40064, 32797, 25000, 25003, 25010, 25013, 25020, 61208, 61209};
const WORD kKeys[] = {VK_LEFT, VK_RIGHT, VK_UP,   VK_DOWN,  VK_HOME,   VK_END,
                      VK_PRIOR, VK_NEXT, VK_BACK, VK_DELETE, VK_RETURN, VK_TAB};
// Shift JIS words, with trail bytes that are ASCII ('\', '@', '|').
const char* const kJapanese[] = {"表示", "ソース", "能力", "日本語", "ｱｲｳｴｵ", "―", "十", "予約", "〜"};
const char* const kXKeys[] = {"ctrl+z", "ctrl+y", "shift+Right shift+Right", "ctrl+x", "ctrl+v", "shift+End", "ctrl+Home"};

class SoakE2E : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(e2e::ResetSettings());
        path = e2e::WorkDir() + "\\soak.html";
        ASSERT_TRUE(e2e::WriteFileBytes(path, "<html>\r\n<body>\r\n表示\r\n</body>\r\n</html>\r\n"));
    }
    bool StartOn() {
        prog = std::make_unique<e2e::Program>();
        return app().Start("\"" + path + "\"") && (editor = app().ShownEditor()) != nullptr;
    }
    e2e::Program& app() { return *prog; }
    // Saves, and checks that the file holds what the editor showed.
    void SaveAndCompare() {
        std::string shown, saved;
        ASSERT_TRUE(e2e::EditorTextViaClipboard(app(), &shown));
        DWORD_PTR result = 0;
        ::SendMessageTimeoutA(app().MainWindow(), WM_COMMAND, MAKEWPARAM(32781, 0), 0, SMTO_NORMAL, 10000, &result);
        EXPECT_EQ(e2e::DismissDialogs(app(), 0), 0) << "saving asked something";
        ASSERT_TRUE(e2e::ReadFileBytes(path, &saved));
        ASSERT_EQ(saved, shown) << "save " << saves;
        ++saves;
        // Off the whole-text selection, so that the next word does not
        // replace everything.
        ::SendNotifyMessageA(editor, WM_KEYDOWN, VK_LEFT, 1);
    }

    std::unique_ptr<e2e::Program> prog;
    HWND editor = nullptr;
    std::string path;
    int saves = 0;
};

TEST_F(SoakE2E, RandomActionsKeepEverySaveEqualToTheEditorsText) {
    const unsigned actions = EnvNumber("PQ_SOAK_ACTIONS", 200);
    const unsigned seed = EnvNumber("PQ_SOAK_SEED", std::random_device{}());
    std::printf("soak: %u actions, seed %u\n", actions, seed);
    std::mt19937 rng(seed);
    ASSERT_TRUE(StartOn());
    GuiCounts first = Counts(app().ProcessId());
    const DWORD started = ::GetTickCount();
    int restarts = 0, dialogs = 0;
    for (unsigned i = 0; i < actions; ++i) {
        const unsigned r = rng() % 1000;
        if (r < 300) {
            // Text through WM_CHAR, as the keyboard gives it.
            const int n = 1 + rng() % 8;
            for (int k = 0; k < n; ++k)
                ::SendNotifyMessageA(editor, WM_CHAR, static_cast<WPARAM>(' ' + rng() % 95), 1);
        } else if (r < 420) {
            // Japanese: as byte pairs in WM_CHAR or whole in WM_IME_CHAR.
            const char* word = kJapanese[rng() % (sizeof kJapanese / sizeof *kJapanese)];
            const bool ime = rng() % 2;
            for (const char* p = word; *p; ++p) {
                const auto lead = static_cast<unsigned char>(*p);
                if (ime && p[1] && ((lead >= 0x81 && lead <= 0x9F) || lead >= 0xE0)) {
                    ::SendNotifyMessageA(editor, WM_IME_CHAR, (lead << 8) | static_cast<unsigned char>(p[1]), 1);
                    ++p;
                } else {
                    ::SendNotifyMessageA(editor, WM_CHAR, lead, 1);
                }
            }
        } else if (r < 700) {
            const WORD vk = kKeys[rng() % (sizeof kKeys / sizeof *kKeys)];
            ::SendNotifyMessageA(editor, WM_KEYDOWN, vk, 1);
            ::SendNotifyMessageA(editor, WM_KEYUP, vk, 0xC0000001);
        } else if (r < 950) {
            const WORD id = kCommands[rng() % (sizeof kCommands / sizeof *kCommands)];
            ::SendNotifyMessageA(app().MainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        } else if (r < 965) {
            ASSERT_TRUE(app().Key(kXKeys[rng() % (sizeof kXKeys / sizeof *kXKeys)], editor));
            ::Sleep(200);  // the keys reach the program's queue through the X server
        } else if (r < 995) {
            SaveAndCompare();
        } else {
            // Save, end the program and open the file again.
            SaveAndCompare();
            ASSERT_EQ(app().Close(), 0) << "action " << i;
            ASSERT_TRUE(StartOn()) << "action " << i;
            first = Counts(app().ProcessId());
            std::string shown, saved;
            ASSERT_TRUE(e2e::EditorTextViaClipboard(app(), &shown));
            ASSERT_TRUE(e2e::ReadFileBytes(path, &saved));
            ASSERT_EQ(shown, saved) << "reopened at action " << i;
            ++restarts;
        }
        app().WaitIdle(10000);
        dialogs += e2e::DismissDialogs(app(), 0);
        ASSERT_TRUE(app().Running()) << "action " << i;
        if (i % 25 == 0) {
            ASSERT_TRUE(e2e::Answers(app().MainWindow(), 20000)) << "hung at action " << i;
            editor = app().ShownEditor();
            ASSERT_NE(editor, nullptr) << "action " << i;
        }
    }
    e2e::DismissDialogs(app(), 500);
    SaveAndCompare();
    const GuiCounts last = Counts(app().ProcessId());
    std::printf("soak: %u actions in %.1f s, %d saves, %d restarts, %d dialogs dismissed\n", actions,
                (::GetTickCount() - started) / 1000.0, saves, restarts, dialogs);
    std::printf("soak: GDI objects %lu -> %lu, USER objects %lu -> %lu, windows %lu -> %lu (since the last start)\n",
                static_cast<unsigned long>(first.gdi), static_cast<unsigned long>(last.gdi),
                static_cast<unsigned long>(first.user), static_cast<unsigned long>(last.user),
                static_cast<unsigned long>(first.windows), static_cast<unsigned long>(last.windows));
    EXPECT_EQ(app().Close(), 0);
}

}  // namespace

#include "shell/core/FrameState.h"
#include "documents/core/TextCodec.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using settings::MemorySettingsBackend;
using settings::SettingsStore;
using namespace shell;

TEST(OpenHistoryTest, WrittenRecordsReadBackAndReplaceALongerList) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    std::vector<OpenFileRecord> five(5);
    for (int i = 0; i < 5; ++i) five[i].path = "C:\\old" + std::to_string(i) + ".html";
    WriteOpenHistory(store, five);

    std::vector<OpenFileRecord> two(2);
    two[0] = {"C:\\表\\ソ.html", true, 3, 10, 0, 40};
    two[1] = {"C:\\b.cgi", false, 0, 0, 2, 0};
    WriteOpenHistory(store, two);
    EXPECT_EQ(store.ReadSettingInt(kOpenHistorySection, "Count", -1), 2);
    EXPECT_FALSE(mem.HasValue(kOpenHistorySection, "Path2"));

    const auto back = ReadOpenHistory(store);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].path, "C:\\表\\ソ.html");
    EXPECT_TRUE(back[0].readOnly);
    EXPECT_EQ(back[0].start, 3);
    EXPECT_EQ(back[0].end, 10);
    EXPECT_EQ(back[0].yPos, 40);
    EXPECT_EQ(back[1].xPos, 2);
    EXPECT_FALSE(back[1].readOnly);
}

TEST(OpenHistoryTest, DamagedCountsAndEmptyPathsAreHarmless) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    store.WriteSettingInt(kOpenHistorySection, "Count", INT_MAX);
    store.WriteSettingString(kOpenHistorySection, "Path0", "C:\\a.html");
    store.WriteSettingString(kOpenHistorySection, "Path1", "");
    store.WriteSettingString(kOpenHistorySection, "Path2", "C:\\c.html");
    const auto files = ReadOpenHistory(store);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[1].path, "C:\\c.html");
    store.WriteSettingInt(kOpenHistorySection, "Count", -3);
    EXPECT_TRUE(ReadOpenHistory(store).empty());
    // A missing section is an empty list.
    MemorySettingsBackend empty;
    SettingsStore none(empty);
    EXPECT_TRUE(ReadOpenHistory(none).empty());
}

TEST(FramePlacementTest, StoredValuesWinAndMissingOnesKeepTheCurrent) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    const FramePlacement current{{10, 20, 810, 620}, false};
    FramePlacement p = ReadFramePlacement(store, current);
    EXPECT_EQ(p.rect.left, 10);
    EXPECT_EQ(p.rect.Width(), 800);
    WriteFramePlacement(store, FramePlacement{{100, 50, 1100, 750}, true});
    p = ReadFramePlacement(store, current);
    EXPECT_EQ(p.rect.left, 100);
    EXPECT_EQ(p.rect.bottom, 750);
    EXPECT_TRUE(p.zoomed);
}

TEST(FramePlacementTest, DamagedValuesGiveARectangleTheClampCanUse) {
    // Values at the ends of the integer range: the sums must not overflow.
    const struct { std::int32_t x, w, left, width; } cases[] = {
        {INT32_MAX, INT32_MAX, 1 << 20, 1 << 20},
        {INT32_MIN, INT32_MIN, -(1 << 20), 0},
        {-1013715585, -2063137534, -(1 << 20), 0},
        {-300, 640, -300, 640},
    };
    for (const auto& c : cases) {
        MemorySettingsBackend mem;
        SettingsStore store(mem);
        store.WriteSettingInt("Main", "x", c.x);
        store.WriteSettingInt("Main", "y", c.x);
        store.WriteSettingInt("Main", "nWidth", c.w);
        store.WriteSettingInt("Main", "nHeight", c.w);
        const FramePlacement p = ReadFramePlacement(store, FramePlacement{});
        EXPECT_EQ(p.rect.left, c.left) << c.x;
        EXPECT_EQ(p.rect.top, c.left) << c.x;
        EXPECT_EQ(p.rect.Width(), c.width) << c.w;
        EXPECT_EQ(p.rect.Height(), c.width) << c.w;
        const Rect r = ClampToWorkArea(p.rect, Rect{0, 0, 1280, 770});
        EXPECT_TRUE(r.left >= 0 && r.right <= 1280 && r.top >= 0 && r.bottom <= 770) << c.x;
    }
}

TEST(FramePlacementTest, ClampKeepsTheWindowOnTheWorkArea) {
    const Rect work{0, 0, 1280, 770};
    Rect r = ClampToWorkArea(Rect{5000, -300, 5800, 300}, work);  // off to the right and above
    EXPECT_EQ(r.right, 1280);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.Width(), 800);
    r = ClampToWorkArea(Rect{0, 0, 10, 10}, work);  // too small
    EXPECT_EQ(r.Width(), 200);
    EXPECT_EQ(r.Height(), 150);
    r = ClampToWorkArea(Rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, work);  // nonsense
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.Width(), 1280);
    EXPECT_EQ(r.Height(), 770);
}

TEST(OpenRequestTest, OnlyTheIdentifierIsTrustedAndTheBlockIsReadWithinItsSize) {
    std::string path;
    const char good[260] = "C:\\表\\ソ.html";
    EXPECT_TRUE(ParseOpenRequest(kOpenRequestId, good, sizeof good, &path));
    EXPECT_EQ(path, "C:\\表\\ソ.html");
    EXPECT_FALSE(ParseOpenRequest(12345, good, sizeof good, &path));
    EXPECT_FALSE(ParseOpenRequest(kOpenRequestId, nullptr, 260, &path));
    EXPECT_FALSE(ParseOpenRequest(kOpenRequestId, "", 1, &path));
    // No NUL inside the block: the path ends with the block.
    const char unterminated[4] = {'a', '.', 't', 'x'};
    EXPECT_TRUE(ParseOpenRequest(kOpenRequestId, unterminated, sizeof unterminated, &path));
    EXPECT_EQ(path, "a.tx");
    // A block larger than any path a second start sends: read within its
    // size, and a path without its end within 259 bytes is refused.
    const std::string huge(5000, 'x');
    path = "kept";
    EXPECT_FALSE(ParseOpenRequest(kOpenRequestId, huge.data(), huge.size(), &path));
    EXPECT_EQ(path, "kept");
    std::string longest(259, 'y');
    longest.push_back('\0');
    EXPECT_TRUE(ParseOpenRequest(kOpenRequestId, longest.data(), longest.size(), &path));
    EXPECT_EQ(path.size(), 259u);
}

TEST(OpenRequestTest, BlocksThatNoSecondStartWritesAreRefused) {
    struct Case {
        std::string block;
        const char* path;  // null: refused
    };
    const Case cases[] = {
        {std::string("C:\\a\rb.html\0", 13), nullptr},       // a control character
        {std::string("C:\\a\tb\0", 8), nullptr},
        {"C:\\a\x7F", nullptr},
        {"C:\\\x95", nullptr},                                 // cut after a lead byte
        {std::string("C:\\\x95\0x", 6), nullptr},
        {"C:\\\x81\x0A.html", nullptr},                        // a lead byte before a line end
        {"C:\\\x95\x5C\\\x83\x5C.txt", "C:\\表\\ソ.txt"},   // 0x5C trail bytes
        {"C:\\\xB1\xB2.txt", "C:\\ｱｲ.txt"},                  // half-width kana
    };
    for (const Case& c : cases) {
        std::string path = "kept";
        EXPECT_EQ(ParseOpenRequest(kOpenRequestId, c.block.data(), c.block.size(), &path), c.path != nullptr)
            << c.block;
        EXPECT_EQ(path, c.path ? c.path : "kept") << c.block;
    }
}

TEST(FrameOptionsTest, DefaultsAndOnlyOneTurnsTheStartOptionsOn) {
    MemorySettingsBackend mem;
    SettingsStore store(mem);
    FrameOptions o = ReadFrameOptions(store);
    EXPECT_FALSE(o.lastSize);
    EXPECT_FALSE(o.lastOpen);
    EXPECT_TRUE(o.statusBar);
    store.WriteSettingInt("Main", "LastOpen", 7);  // damaged: not 1
    store.WriteSettingInt("Main", "StatusBarDisp", 0);
    o = ReadFrameOptions(store);
    EXPECT_FALSE(o.lastOpen);
    EXPECT_FALSE(o.statusBar);
    WriteFrameOptions(store, FrameOptions{true, true, true});
    EXPECT_EQ(store.ReadSettingInt("Main", "LastSize", -1), 1);
    EXPECT_EQ(store.ReadSettingInt("Main", "LastOpen", -1), 1);
    EXPECT_EQ(store.ReadSettingInt("Main", "StatusBarDisp", -1), 1);
}

TEST(RecordClampTest, StoredSelectionAndScrollStayWithinTheText) {
    OpenFileRecord r;
    r.path = "C:\\a.html";
    r.start = 5;
    r.end = 12;
    r.xPos = 3;
    r.yPos = 4;
    OpenFileRecord c = ClampRecordToText(r, 100, 10);
    EXPECT_EQ(c.start, 5);
    EXPECT_EQ(c.end, 12);
    EXPECT_EQ(c.xPos, 3);
    EXPECT_EQ(c.yPos, 4);
    // The file became shorter since the last run.
    r.start = 90;
    r.end = INT_MAX;
    r.yPos = 5000;
    r.xPos = 100000;
    c = ClampRecordToText(r, 40, 3);
    EXPECT_EQ(c.start, 40);
    EXPECT_EQ(c.end, 40);
    EXPECT_EQ(c.yPos, 2);
    EXPECT_EQ(c.xPos, 2047);
    // Negative values (an end of -1 would select the whole text).
    r.start = 0;
    r.end = -1;
    r.xPos = r.yPos = INT_MIN;
    c = ClampRecordToText(r, 40, 3);
    EXPECT_EQ(c.start, 0);
    EXPECT_EQ(c.end, 0);
    EXPECT_EQ(c.xPos, 0);
    EXPECT_EQ(c.yPos, 0);
    // An empty file.
    c = ClampRecordToText(r, 0, 1);
    EXPECT_EQ(c.end, 0);
    EXPECT_EQ(c.yPos, 0);
}

TEST(StatusTextTest, CaretPositionIsOneBased) {
    EXPECT_EQ(CaretPositionText(0, 0), " 1行、1列 ");
    EXPECT_EQ(CaretPositionText(9999, 41), " 10000行、42列 ");
    EXPECT_STREQ(encoding::CharCodeName(1), "JIS");
    EXPECT_STREQ(encoding::CharCodeName(7), "SJIS");
    EXPECT_STREQ(encoding::ReturnCodeName(2), "LF");
    EXPECT_STREQ(encoding::ReturnCodeName(-1), "CRLF");
}

}  // namespace

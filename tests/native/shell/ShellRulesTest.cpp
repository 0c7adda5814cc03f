// Rules of the bars: the address history, menu mnemonics on Shift JIS
// texts, band styles and their stored layout, the tool bar arrangement.
#include <gtest/gtest.h>

#include <cstdint>

#include "config/core/SettingsStore.h"
#include "shell/core/AddressHistory.h"
#include "shell/core/BandLayout.h"
#include "shell/core/MenuMnemonic.h"
#include "shell/core/ToolBarLayout.h"

namespace {

std::string PathN(int n) { return "C:\\表\\file" + std::to_string(n) + ".html"; }

TEST(AddressHistoryTest, TwentyEntriesMostRecentFirstCaseInsensitive) {
    shell::AddressHistory h;
    EXPECT_EQ(h.ShowPath("").selected, -1);
    for (int i = 0; i < 20; ++i) {
        const auto r = h.ShowPath(PathN(i));
        EXPECT_TRUE(r.inserted);
        EXPECT_FALSE(r.removedLast);
    }
    ASSERT_EQ(h.Paths().size(), 20u);
    EXPECT_EQ(h.Paths().front(), PathN(19));
    // A known path, in other letter case, is selected where it is.
    const auto again = h.ShowPath("c:\\表\\FILE5.HTML");
    EXPECT_FALSE(again.inserted);
    EXPECT_EQ(again.selected, 14);
    EXPECT_EQ(h.Paths().size(), 20u);
    // The 21st pushes the oldest out.
    const auto r = h.ShowPath(PathN(20));
    EXPECT_TRUE(r.inserted);
    EXPECT_TRUE(r.removedLast);
    EXPECT_EQ(h.Paths().size(), 20u);
    EXPECT_EQ(h.Paths().front(), PathN(20));
    EXPECT_EQ(h.Find(PathN(0)), -1);
    EXPECT_EQ(h.Paths().back(), PathN(1));
    // Letter folding leaves double-byte characters alone: ソ (83 5C) and
    // 表 (95 5C) differ even though their trail bytes agree.
    shell::AddressHistory k;
    k.ShowPath("C:\\ソ.txt");
    EXPECT_EQ(k.Find("C:\\表.txt"), -1);
}

TEST(AddressHistoryTest, StoredListRoundTripsWhole) {
    settings::MemorySettingsBackend backend;
    settings::SettingsStore store(backend);
    shell::AddressHistory h;
    for (int i = 0; i < 5; ++i) h.ShowPath(PathN(i));
    h.Save(store);
    EXPECT_EQ(store.ReadSettingInt("History\\File", "Count", 0), 5);
    EXPECT_EQ(store.ReadSettingString("History\\File", "Path0", ""), PathN(4));
    h.Remove(0);
    h.Remove(0);
    h.Save(store);
    EXPECT_FALSE(backend.HasValue("History\\File", "Path3"));
    shell::AddressHistory back;
    back.Load(store);
    EXPECT_EQ(back.Paths(), h.Paths());
    // An edited list: empty and repeated entries dropped, only the first 20
    // read.
    store.WriteSettingInt("History\\File", "Count", 50);
    for (int i = 0; i < 50; ++i) store.WriteSettingString("History\\File", "Path" + std::to_string(i), PathN(i % 30));
    store.WriteSettingString("History\\File", "Path1", "");
    back.Load(store);
    EXPECT_EQ(back.Paths().size(), 19u);
    EXPECT_EQ(back.Paths()[1], PathN(2));
}

TEST(AddressHistoryTest, ADamagedCountReadsNoMoreThanTwentyEntries) {
    struct CountingBackend : settings::MemorySettingsBackend {
        int reads = 0;
        bool ReadString(const std::string& section, const std::string& name, std::string* value) override {
            ++reads;
            return MemorySettingsBackend::ReadString(section, name, value);
        }
    } backend;
    settings::SettingsStore store(backend);
    for (const std::int32_t count : {INT32_MAX, -5, 21}) {
        store.WriteSettingInt("History\\File", "Count", count);
        store.WriteSettingString("History\\File", "Path0", "");
        backend.reads = 0;
        shell::AddressHistory h;
        h.Load(store);
        EXPECT_LE(backend.reads, 20) << count;
        EXPECT_TRUE(h.Paths().empty()) << count;
    }
}

TEST(MenuMnemonicTest, MnemonicsAreReadByCharacterAndMatchedInUpperCase) {
    EXPECT_EQ(shell::MnemonicOf("ファイル(&F)"), 'F');
    EXPECT_EQ(shell::MnemonicOf("ツール(&t)"), 'T');
    EXPECT_EQ(shell::MnemonicOf("CRLF(F&)"), ')');
    EXPECT_EQ(shell::MnemonicOf("A&&B"), 0);
    EXPECT_EQ(shell::MnemonicOf("A&&B(&C)"), 'C');
    EXPECT_EQ(shell::MnemonicOf("末尾&"), 0);
    // "&" before a double-byte character is no letter's mnemonic, even when
    // its trail byte looks like one (ア is 83 41, "A").
    EXPECT_EQ(shell::MnemonicOf("&アイ"), 0);
    // A trail byte that looks like a lower-case letter is not upper-cased
    // into a match: ヂ is 83 61 ("a").
    const std::vector<std::string> texts = {"ヂ(&Z)", "表示(&V)", "ファイル(&F)", "ヘルプ(&h)"};
    EXPECT_EQ(shell::FindMnemonic(texts, 'v'), 1);
    EXPECT_EQ(shell::FindMnemonic(texts, 'H'), 3);
    EXPECT_EQ(shell::FindMnemonic(texts, 'A'), -1);
    EXPECT_EQ(shell::FindMnemonic(texts, 'Z'), 0);
    EXPECT_EQ(shell::FindMnemonic(texts, 0), -1);
    EXPECT_EQ(shell::WithoutAmpersands("表示(&V)"), "表示(V)");
    EXPECT_EQ(shell::WithoutAmpersands("A&&B"), "A&B");
}

TEST(BandLayoutTest, DefaultsLockingAndInsertionOrder) {
    settings::MemorySettingsBackend backend;
    settings::SettingsStore store(backend);
    const int styles[] = {640, 291, 641, 129};
    for (std::size_t i = 0; i < shell::kBandCount; ++i) {
        const shell::BandState s = shell::LoadBand(store, shell::BandDefAt(i));
        EXPECT_EQ(s.style, styles[i]);
        EXPECT_EQ(s.index, static_cast<int>(i));
        EXPECT_TRUE(s.visible);
    }
    // Locking: grippers go away except on the fixed-size close button, and
    // unlocking brings them back.
    EXPECT_EQ(shell::ToggledLockStyle(640), 0x300);
    EXPECT_EQ(shell::ToggledLockStyle(0x300), 640);
    EXPECT_EQ(shell::ToggledLockStyle(291), 291);
    EXPECT_EQ(shell::ToggledLockStyle(129), 0x101);
    EXPECT_EQ(shell::GapBelowBars(640), 7);
    EXPECT_EQ(shell::GapBelowBars(0x300), 4);

    std::vector<shell::BandState> states(4);
    states[0].index = 2;
    states[1].index = 0;
    states[2].index = 2;
    states[3].index = 1;
    EXPECT_EQ(shell::InsertionOrder(states), (std::vector<std::size_t>{1, 3, 0, 2}));
}

TEST(BandLayoutTest, TheHiddenBitIsNeverStoredNorRead) {
    settings::MemorySettingsBackend backend;
    settings::SettingsStore store(backend);
    const shell::BandDef& tool = shell::BandDefAt(2);
    shell::BandState hidden;
    hidden.style = 641 | shell::kBandHidden;  // as the rebar reports a hidden band
    hidden.cx = 300;
    hidden.index = 2;
    hidden.visible = false;
    shell::SaveBand(store, tool, hidden);
    EXPECT_EQ(store.ReadSettingInt("Main", "StandardBarStyle", 0), 641);
    EXPECT_EQ(store.ReadSettingInt("Main", "StandardBarDisp", 1), 0);
    EXPECT_EQ(store.ReadSettingInt("Main", "StandardBarCx", 0), 300);
    // A style stored with the bit by an older run does not hide the band.
    store.WriteSettingInt("Main", "AddressBoxStyle", 129 | shell::kBandHidden);
    const shell::BandState a = shell::LoadBand(store, shell::BandDefAt(3));
    EXPECT_EQ(a.style, 129);
    EXPECT_TRUE(a.visible);
    // The close button stores neither width nor display.
    shell::SaveBand(store, shell::BandDefAt(1), shell::BandState{291, 24, 1, true});
    EXPECT_FALSE(backend.HasValue("Main", "MDIButtonCx"));
    EXPECT_FALSE(backend.HasValue("Main", "MDIButtonDisp"));
}

TEST(ToolBarLayoutTest, DefaultArrangementAndStoredFormWithDamage) {
    ASSERT_EQ(shell::kToolButtonCount, 32u);
    EXPECT_EQ(shell::ToolButtonAt(27).image, 31);
    EXPECT_EQ(shell::ToolButtonAt(6).style, shell::ToolButtonStyle::DropDown);
    const int S = shell::kToolSeparator;
    const shell::ToolArrangement def = shell::DefaultArrangement();
    EXPECT_EQ(def, (shell::ToolArrangement{0, 1, 3, 5, S, 6, 7, S, 10, 11, 12, 13, 14, S, 25, 26, 27, S, 28, 29, 31}));
    EXPECT_EQ(shell::FindToolButton(40068), 7);
    EXPECT_EQ(shell::FindToolButton(12345), -1);

    settings::MemorySettingsBackend backend;
    settings::SettingsStore store(backend);
    EXPECT_EQ(shell::LoadArrangement(store), def);
    const shell::ToolArrangement mine = {S, 31, 2, S, S, 0};
    shell::SaveArrangement(store, mine);
    EXPECT_EQ(shell::LoadArrangement(store), mine);

    // Unknown and repeated buttons are dropped; another form is not read.
    const std::uint8_t damaged[] = {'P', 'Q', 'T', 'B', 2, 0, 99, 0, 2, 0, 0xFF, 0xFF, 4, 0};
    shell::ToolArrangement a;
    ASSERT_TRUE(shell::DecodeArrangement(damaged, sizeof damaged, &a));
    EXPECT_EQ(a, (shell::ToolArrangement{2, S, 4}));
    const std::uint8_t odd[] = {'P', 'Q', 'T', 'B', 2};
    EXPECT_FALSE(shell::DecodeArrangement(odd, sizeof odd, &a));
    const std::uint8_t other[] = {1, 2, 3, 4, 5, 6};
    EXPECT_FALSE(shell::DecodeArrangement(other, sizeof other, &a));
    store.WriteSettingBinary("Main", "ToolBar", other, sizeof other);
    EXPECT_EQ(shell::LoadArrangement(store), def);
}

}  // namespace

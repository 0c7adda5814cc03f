// The registry backend of the settings store, in the real registry.
#include <gtest/gtest.h>

#include <string>

#include "config/win/RegistrySettings.h"
#include "editor/core/ColorMode.h"

namespace {

const char kRoot[] = "Software\\Tavenor\\PembroquilTest";

class RegistrySettingsTest : public ::testing::Test {
protected:
    void SetUp() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot); }
    void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot); }

    // Writes a value of any type behind the store's back.
    void RawWrite(const std::string& section, const std::string& name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(kRoot) + "\\" + section).c_str(), 0, nullptr, 0,
                                    KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ::RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
        ::RegCloseKey(key);
    }

    // Number of values and sub-keys of a section, straight from the registry
    // (-1 when the key does not exist).
    int ValueCount(const std::string& section, int* subKeys = nullptr) {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kRoot) + "\\" + section).c_str(), 0, KEY_READ, &key) !=
            ERROR_SUCCESS)
            return -1;
        DWORD values = 0, keys = 0;
        ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &keys, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                           nullptr);
        ::RegCloseKey(key);
        if (subKeys) *subKeys = static_cast<int>(keys);
        return static_cast<int>(values);
    }

    CRegistrySettings backend{kRoot};
    settings::SettingsStore store{backend};
};

TEST_F(RegistrySettingsTest, EveryKindRoundTrips) {
    EXPECT_TRUE(store.WriteSettingInt("Main", "Zoomed", -5));
    EXPECT_TRUE(store.WriteSettingString("Main", "BackupDir", "C:\\表\\ソ"));
    const unsigned char acl[6] = {0x0B, 0, 0x4E, 0, 0x29, 0x80};
    EXPECT_TRUE(store.WriteSettingBinary("AcceleratorKey", "acl0", acl, sizeof acl));

    EXPECT_EQ(store.ReadSettingInt("Main", "Zoomed", 0), -5);
    EXPECT_EQ(store.ReadSettingString("Main", "BackupDir", ""), "C:\\表\\ソ");
    unsigned char buf[8] = {};
    std::size_t len = sizeof buf;
    ASSERT_TRUE(store.ReadSettingBinary("AcceleratorKey", "acl0", buf, &len));
    EXPECT_EQ(len, 6u);
    EXPECT_EQ(0, memcmp(buf, acl, 6));

    // The raw value is stored with type NONE, the others as DWORD and SZ.
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kRoot) + "\\AcceleratorKey").c_str(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    DWORD type = 99;
    ::RegQueryValueExA(key, "acl0", nullptr, &type, nullptr, nullptr);
    ::RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_NONE));
}

TEST_F(RegistrySettingsTest, ValuesOfTheWrongTypeOrLengthReadAsTheDefault) {
    const WORD shortNumber = 7;
    RawWrite("Main", "Short", REG_DWORD, &shortNumber, sizeof shortNumber);
    const DWORD four = 9;
    RawWrite("Main", "Bin4", REG_BINARY, &four, sizeof four);
    RawWrite("Main", "Text", REG_SZ, "12", 3);
    RawWrite("Main", "Number", REG_DWORD, &four, sizeof four);
    EXPECT_EQ(store.ReadSettingInt("Main", "Short", -1), -1);
    EXPECT_EQ(store.ReadSettingInt("Main", "Bin4", -1), -1);
    EXPECT_EQ(store.ReadSettingInt("Main", "Text", -1), -1);
    EXPECT_EQ(store.ReadSettingString("Main", "Number", "def"), "def");
    EXPECT_EQ(store.ReadSettingString("Main", "Missing", "def"), "def");

    // A string stored without its NUL still reads whole and terminated.
    RawWrite("Main", "Unterminated", REG_SZ, "abc", 3);
    EXPECT_EQ(store.ReadSettingString("Main", "Unterminated", ""), "abc");
    // A long string is read whole.
    const std::string longText(5000, 'x');
    EXPECT_TRUE(store.WriteSettingString("Main", "Long", longText));
    EXPECT_EQ(store.ReadSettingString("Main", "Long", ""), longText);

    // A raw value longer than the caller's buffer fails.
    const unsigned char seven[7] = {1, 2, 3, 4, 5, 6, 7};
    store.WriteSettingBinary("AcceleratorKey", "acl1", seven, 7);
    unsigned char buf[6];
    std::size_t len = sizeof buf;
    EXPECT_FALSE(store.ReadSettingBinary("AcceleratorKey", "acl1", buf, &len));
}

TEST_F(RegistrySettingsTest, DeletingASectionRemovesItsSubKeys) {
    store.WriteSettingInt("RegistTag", "Count", 1);
    store.WriteSettingString("RegistTag\\File0", "Name", "tags");
    store.WriteSettingString("RegistTag\\File0\\Deeper", "Name", "x");
    EXPECT_TRUE(store.DeleteSettingSection("RegistTag"));
    HKEY key = nullptr;
    EXPECT_NE(::RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kRoot) + "\\RegistTag").c_str(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    EXPECT_FALSE(store.DeleteSettingSection("RegistTag"));
    store.WriteSettingInt("Main", "x", 1);
    EXPECT_TRUE(store.DeleteSettingValue("Main", "x"));
    EXPECT_FALSE(store.DeleteSettingValue("Main", "x"));
}

TEST_F(RegistrySettingsTest, ReadingCreatesTheSection) {
    EXPECT_EQ(store.ReadSettingInt("History\\Find", "Count", 0), 0);
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kRoot) + "\\History\\Find").c_str(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    ::RegCloseKey(key);
}

TEST_F(RegistrySettingsTest, ListsAreReplacedWholeInTheRegistry) {
    using settings::ListDefault;
    EXPECT_EQ(settings::ReadListCount(store, "AcceleratorKey", 500, ListDefault::BuiltIn), -1);
    EXPECT_EQ(settings::ReadListCount(store, "History\\File", 20, ListDefault::Empty), 0);
    ASSERT_TRUE(settings::WriteStringList(store, "History\\File", "Path", {"a", "b", "c", "d", "e"}));
    ASSERT_TRUE(settings::WriteStringList(store, "History\\File", "Path", {"C:\\表\\x.html", "y", "z"}));
    EXPECT_EQ(ValueCount("History\\File"), 4);  // Count and Path0-2
    EXPECT_EQ(store.ReadSettingString("History\\File", "Path3", "gone"), "gone");
    EXPECT_EQ(settings::ReadStringList(store, "History\\File", "Path", 20),
              (std::vector<std::string>{"C:\\表\\x.html", "y", "z"}));
    // A stored 0 stays an empty list; a Count of the wrong type reads as missing.
    store.WriteSettingInt("AcceleratorKey", "Count", 0);
    EXPECT_EQ(settings::ReadListCount(store, "AcceleratorKey", 500, ListDefault::BuiltIn), 0);
    RawWrite("RClickMenu\\Kind0", "Count", REG_SZ, "3", 2);
    EXPECT_EQ(settings::ReadListCount(store, "RClickMenu\\Kind0", 64, ListDefault::BuiltIn), -1);

    // A list of sub-sections goes children first, then the parent.
    store.WriteSettingInt("RegistTag", "Count", 2);
    store.WriteSettingString(settings::SubSectionName("RegistTag", "File", 0), "Name", "a");
    store.WriteSettingString(settings::SubSectionName("RegistTag", "File", 1) + "\\Deeper", "Name", "b");
    int subKeys = 0;
    EXPECT_EQ(ValueCount("RegistTag", &subKeys), 1);
    EXPECT_EQ(subKeys, 2);
    EXPECT_TRUE(settings::DeleteSectionList(store, "RegistTag", "File", 2));
    EXPECT_EQ(ValueCount("RegistTag"), -1);
}

TEST_F(RegistrySettingsTest, RawValuesOfAnotherLengthAreRefused) {
    const unsigned char four[4] = {1, 2, 3, 4};
    RawWrite("AcceleratorKey", "acl0", REG_NONE, four, sizeof four);
    unsigned char buf[6] = {};
    EXPECT_FALSE(store.ReadSettingBinaryExact("AcceleratorKey", "acl0", buf, 6));
    EXPECT_TRUE(store.ReadSettingBinaryExact("AcceleratorKey", "acl0", buf, 4));
    EXPECT_EQ(buf[3], 4);
    RawWrite("AcceleratorKey", "acl1", REG_SZ, "abcdef", 6);
    EXPECT_FALSE(store.ReadSettingBinaryExact("AcceleratorKey", "acl1", buf, 6));
}

TEST_F(RegistrySettingsTest, VersionStampAndColourModesRoundTrip) {
    EXPECT_EQ(settings::UpdateVersionStamp(store, "2.06"), 0);
    EXPECT_EQ(settings::UpdateVersionStamp(store, "2.06"), 206);
    RawWrite("Main", "Version", REG_SZ, "2.05", 5);
    EXPECT_EQ(settings::UpdateVersionStamp(store, "2.06"), 205);

    editor::ColorModeTable table;
    const int user = table.AddUserMode("ソース表示");
    table.Mode(user).ext = "txt;log;";
    table.Mode(user).headline = "■";
    table.Mode(0).settings.tabSize = 8;
    table.Mode(0).modeColors[0] = 0x00ABCDEF;
    ASSERT_TRUE(table.Save(store));
    editor::ColorModeTable back;
    back.Load(store);
    ASSERT_EQ(back.Count(), 4);
    EXPECT_EQ(back.Mode(user).name, "ソース表示");
    EXPECT_EQ(back.Mode(user).ext, "txt;log;");
    EXPECT_EQ(back.Mode(user).headline, "■");
    EXPECT_EQ(back.Mode(0).settings.tabSize, 8);
    EXPECT_EQ(back.Mode(0).modeColors[0], 0x00ABCDEFu);
    EXPECT_EQ(back.ModeForExtension("LOG"), user);
    // A user mode removed and saved leaves no key behind.
    back.RemoveMode(user);
    ASSERT_TRUE(back.Save(store));
    EXPECT_EQ(ValueCount("CanvasEdit\\User0"), -1);
}

}  // namespace

namespace {

TEST_F(RegistrySettingsTest, LongStringsAndASectionDeletedBehindTheStoresBack) {
    // Past the first read's buffer: the size is asked and the whole string read.
    std::string longText;
    for (int i = 0; i < 700; ++i) longText += "表\\";
    EXPECT_TRUE(store.WriteSettingString("RegistTag\\File0", "Begin0", longText));
    EXPECT_EQ(store.ReadSettingString("RegistTag\\File0", "Begin0", ""), longText);
    // Another program deletes the section the store keeps open: the next
    // write makes it again and the value is there.
    ASSERT_EQ(::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot), ERROR_SUCCESS);
    EXPECT_EQ(store.ReadSettingString("RegistTag\\File0", "Begin0", "gone"), "gone");
    EXPECT_TRUE(store.WriteSettingInt("RegistTag\\File0", "Count", 1));
    EXPECT_EQ(ValueCount("RegistTag\\File0"), 1);
    EXPECT_EQ(store.ReadSettingInt("RegistTag\\File0", "Count", 0), 1);
}

}  // namespace

// The settings store: every persistent setting of the program, addressed by a
// section path below the program's root ("Main", "History\\Find",
// "CanvasEdit\\HTML") and a value name. Values are 32-bit integers, Shift JIS
// strings or raw bytes. One interface, two backends: the registry below
// HKEY_CURRENT_USER\Software\Tavenor\Pembroquil in the program, memory in tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace settings {

// What a backend must do. Each call opens the section, does one thing and
// closes it again; nothing is cached. A read that finds no value of exactly
// the asked kind fails (the store then returns the caller's default).
class ISettingsBackend {
public:
    virtual ~ISettingsBackend() = default;
    virtual bool ReadInt(const std::string& section, const std::string& name, std::int32_t* value) = 0;
    virtual bool ReadString(const std::string& section, const std::string& name, std::string* value) = 0;
    virtual bool ReadBinary(const std::string& section, const std::string& name, std::vector<std::uint8_t>* value) = 0;
    virtual bool WriteInt(const std::string& section, const std::string& name, std::int32_t value) = 0;
    virtual bool WriteString(const std::string& section, const std::string& name, const std::string& value) = 0;
    virtual bool WriteBinary(const std::string& section, const std::string& name, const std::uint8_t* bytes,
                             std::size_t length) = 0;
    // Removes a section with its values and every section below it.
    virtual bool DeleteSection(const std::string& section) = 0;
    virtual bool DeleteValue(const std::string& section, const std::string& name) = 0;
};

// The operations the rest of the program uses.
class SettingsStore {
public:
    explicit SettingsStore(ISettingsBackend& backend) : m_backend(&backend) {}

    std::int32_t ReadSettingInt(const std::string& section, const std::string& name, std::int32_t def) const;
    std::string ReadSettingString(const std::string& section, const std::string& name, const std::string& def) const;
    // Copies a raw value into buffer when it fits *length bytes; *length
    // becomes the number of bytes read. Fails when the value is missing or
    // longer than the buffer.
    bool ReadSettingBinary(const std::string& section, const std::string& name, void* buffer,
                           std::size_t* length) const;
    // Copies a raw value into buffer only when it is exactly `length` bytes
    // long; any other length (or kind) fails and leaves buffer untouched.
    bool ReadSettingBinaryExact(const std::string& section, const std::string& name, void* buffer,
                                std::size_t length) const;
    bool WriteSettingInt(const std::string& section, const std::string& name, std::int32_t value);
    bool WriteSettingString(const std::string& section, const std::string& name, const std::string& text);
    bool WriteSettingBinary(const std::string& section, const std::string& name, const void* bytes,
                            std::size_t length);
    bool DeleteSettingSection(const std::string& section);
    bool DeleteSettingValue(const std::string& section, const std::string& name);

    ISettingsBackend& Backend() const { return *m_backend; }

private:
    ISettingsBackend* m_backend;
};

// Settings kept in memory, with the kinds of the registry: a value read as
// another kind than it was written reads as missing. Section names and value
// names compare without regard to the case of ASCII letters.
class MemorySettingsBackend : public ISettingsBackend {
public:
    enum class Kind { Int, String, Binary };
    struct Value {
        Kind kind;
        std::int32_t number;
        std::string text;               // strings and raw bytes
    };

    bool ReadInt(const std::string& section, const std::string& name, std::int32_t* value) override;
    bool ReadString(const std::string& section, const std::string& name, std::string* value) override;
    bool ReadBinary(const std::string& section, const std::string& name, std::vector<std::uint8_t>* value) override;
    bool WriteInt(const std::string& section, const std::string& name, std::int32_t value) override;
    bool WriteString(const std::string& section, const std::string& name, const std::string& value) override;
    bool WriteBinary(const std::string& section, const std::string& name, const std::uint8_t* bytes,
                     std::size_t length) override;
    bool DeleteSection(const std::string& section) override;
    bool DeleteValue(const std::string& section, const std::string& name) override;

    // Inspection for tests.
    bool HasSection(const std::string& section) const;
    bool HasValue(const std::string& section, const std::string& name) const;
    std::size_t ValueCount(const std::string& section) const;
    // Every write fails while this is set (a store that cannot be written).
    bool failWrites = false;

private:
    static std::string Key(const std::string& s);
    // section key -> (value key -> value); sections exist once touched.
    std::map<std::string, std::map<std::string, Value>> m_sections;
    const Value* Find(const std::string& section, const std::string& name) const;
};

// ---------------------------------------------------------------------------
// List conventions. A variable-length list lives in one section: its entries
// are values named base + index ("Path0", "Path1", ...), or base + index + "-"
// + second index ("WndShow0-1"); a list of sections is parent + "\\" + base +
// index ("RClickMenu\\Kind0"). The number of entries is the integer "Count".

constexpr char kCountName[] = "Count";

// Count of a list that has built-in contents when it was never stored.
constexpr std::int32_t kCountNeverStored = -1;

// "%s%d": base name followed by a decimal index.
std::string IndexedName(const std::string& base, int index);
// "%s%d-%d": base name, index, "-", second index.
std::string IndexedName(const std::string& base, int index, int second);
// "%s\\%s%d": a sub-section of parent named base + index.
std::string SubSectionName(const std::string& parent, const std::string& base, int index);
// "%s\\%s": a named sub-section of parent.
std::string SubSectionName(const std::string& parent, const std::string& child);

// Whether a list has built-in contents the program falls back to.
enum class ListDefault {
    Empty,    // histories: a missing Count reads 0
    BuiltIn,  // key assignments, menus, tag files: a missing Count reads -1
};

// The stored Count of a list, clamped to 0 ... maxCount. For a list with
// built-in contents a missing (or negative, damaged) Count reads as
// kCountNeverStored; a stored 0 stays 0 (an empty list, not the built-in one).
std::int32_t ReadListCount(const SettingsStore& store, const std::string& section, std::int32_t maxCount,
                           ListDefault def, const std::string& countName = kCountName);

// Reads the string entries base0 ... base{Count-1} of a list without built-in
// contents (at most maxCount of them; a missing entry reads as "").
std::vector<std::string> ReadStringList(const SettingsStore& store, const std::string& section,
                                        const std::string& base, std::int32_t maxCount,
                                        const std::string& countName = kCountName);

// Replaces a list whole: deletes the section with everything below it, then
// writes Count and lets writeEntry(i) write the values of entries 0 ...
// count-1. No entry of an older, longer list survives. Returns false when a
// write failed (the delete of a section that did not exist is no failure).
bool WriteList(SettingsStore& store, const std::string& section, std::int32_t count,
               const std::function<bool(int index)>& writeEntry, const std::string& countName = kCountName);

// WriteList for a list of strings stored as base0, base1, ...
bool WriteStringList(SettingsStore& store, const std::string& section, const std::string& base,
                     const std::vector<std::string>& entries, const std::string& countName = kCountName);

// Deletes a list of sub-sections parent\base0 ... parent\base{count-1} and
// then the parent itself: the children first, the section last.
bool DeleteSectionList(SettingsStore& store, const std::string& parent, const std::string& base, std::int32_t count);

// ---------------------------------------------------------------------------
// Clamping of values read back: stored numbers are never trusted.

inline std::int32_t Clamp(std::int32_t value, std::int32_t lo, std::int32_t hi) {
    return value < lo ? lo : value > hi ? hi : value;
}

// An index into n items read from the store: clamped to 0 ... n-1 (0 when n
// is 0).
inline std::int32_t ClampIndex(std::int32_t value, std::int32_t n) { return n <= 0 ? 0 : Clamp(value, 0, n - 1); }

// ReadSettingInt, clamped to lo ... hi.
std::int32_t ReadSettingClamped(const SettingsStore& store, const std::string& section, const std::string& name,
                                std::int32_t def, std::int32_t lo, std::int32_t hi);

// A flag read from the store: any non-zero value is 1.
std::int32_t ReadSettingFlag(const SettingsStore& store, const std::string& section, const std::string& name,
                             std::int32_t def);

// ---------------------------------------------------------------------------
// Version stamp: "Main" / "Version" holds the file version text of the
// program that last ran.

constexpr char kMainSection[] = "Main";
constexpr char kVersionName[] = "Version";
constexpr char kNoVersion[] = "0.00";

// The number of a version text, as hundredths: the text is cut to its first
// four characters and read as a decimal number ("2.05" -> 205, "2.06" -> 206,
// "1.76" -> 176, "2" -> 200, "2.1" -> 210). Computed on integers, so no value
// comes out one too low. Text that does not start with a number reads as 0.
int ParseVersionNumber(const std::string& text);

// Reads the stored stamp (missing: "0.00"), writes currentVersion in its place
// and returns the number of the stored one, for the one-time migrations.
int UpdateVersionStamp(SettingsStore& store, const std::string& currentVersion);

// The store the program runs with, named once at start-up.
SettingsStore* Current();
void SetCurrent(SettingsStore* store);

}  // namespace settings

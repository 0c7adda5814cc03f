// The settings store: every persistent setting of the program, addressed by a
// section path below the program's root ("Main", "History\\Find",
// "CanvasEdit\\HTML") and a value name. Values are 32-bit integers, Shift JIS
// strings or raw bytes. One interface, two backends: the registry below
// HKEY_CURRENT_USER\Software\Tavenor\Pembroquil in the program, memory in tests.
#pragma once

#include <cstddef>
#include <cstdint>
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

// The store the program runs with, named once at start-up.
SettingsStore* Current();
void SetCurrent(SettingsStore* store);

}  // namespace settings

// The settings store's backend in the program: the current user's registry
// below HKEY_CURRENT_USER\<root>, read and written with the ANSI calls so
// strings stay Shift JIS.
#pragma once

#include <string>

#include "config/core/SettingsStore.h"
#include "framework/win/Afx.h"

class CRegistrySettings : public settings::ISettingsBackend {
public:
    // root: "Software\\Tavenor\\Pembroquil".
    explicit CRegistrySettings(std::string root) : m_root(std::move(root)) {}

    bool ReadInt(const std::string& section, const std::string& name, std::int32_t* value) override;
    bool ReadString(const std::string& section, const std::string& name, std::string* value) override;
    bool ReadBinary(const std::string& section, const std::string& name, std::vector<std::uint8_t>* value) override;
    bool WriteInt(const std::string& section, const std::string& name, std::int32_t value) override;
    bool WriteString(const std::string& section, const std::string& name, const std::string& value) override;
    bool WriteBinary(const std::string& section, const std::string& name, const std::uint8_t* bytes,
                     std::size_t length) override;
    bool DeleteSection(const std::string& section) override;
    bool DeleteValue(const std::string& section, const std::string& name) override;

    const std::string& Root() const { return m_root; }

private:
    std::string SectionPath(const std::string& section) const;
    // Opens (creating it, as every access does) the section's key.
    HKEY OpenSection(const std::string& section, REGSAM access) const;
    std::string m_root;
};

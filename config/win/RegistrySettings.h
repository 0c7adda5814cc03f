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
    ~CRegistrySettings() override { Forget(); }
    CRegistrySettings(const CRegistrySettings&) = delete;
    CRegistrySettings& operator=(const CRegistrySettings&) = delete;

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
    // The section's key (created, as every access does), kept open for the
    // next access to the same section: a store reads and writes many values
    // of one section in a row, and each open and close is a round trip to
    // the registry. Give it back with Release.
    HKEY OpenSection(const std::string& section) const;
    void Release(HKEY key) const;
    bool SetValue(const std::string& section, const std::string& name, DWORD type, const BYTE* data, DWORD size);
    // Closes the kept key (a section deleted, or found deleted).
    void Forget() const;
    std::string m_root;
    mutable std::string m_keptSection;
    mutable HKEY m_kept = nullptr;
};

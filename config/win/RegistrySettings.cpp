#include "config/win/RegistrySettings.h"

#include <algorithm>
#include <cstring>

namespace {

// Deletes a key and everything below it (RegDeleteTree is not on every
// system the program runs on, so walk the tree ourselves).
LONG DeleteKeyTree(HKEY parent, const std::string& name) {
    HKEY key = nullptr;
    LONG rc = ::RegOpenKeyExA(parent, name.c_str(), 0, KEY_READ | KEY_WRITE, &key);
    if (rc != ERROR_SUCCESS) return rc;
    for (;;) {
        char child[256];
        DWORD len = sizeof child;
        rc = ::RegEnumKeyExA(key, 0, child, &len, nullptr, nullptr, nullptr, nullptr);
        if (rc != ERROR_SUCCESS) break;
        if (DeleteKeyTree(key, child) != ERROR_SUCCESS) break;
    }
    ::RegCloseKey(key);
    return ::RegDeleteKeyA(parent, name.c_str());
}

}  // namespace

std::string CRegistrySettings::SectionPath(const std::string& section) const {
    return section.empty() ? m_root : m_root + "\\" + section;
}

HKEY CRegistrySettings::OpenSection(const std::string& section) const {
    if (m_kept && m_keptSection == section) return m_kept;
    Forget();
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return nullptr;
    m_kept = key;
    m_keptSection = section;
    return key;
}

void CRegistrySettings::Release(HKEY key) const {
    if (key != m_kept) ::RegCloseKey(key);
}

void CRegistrySettings::Forget() const {
    if (m_kept) ::RegCloseKey(m_kept);
    m_kept = nullptr;
    m_keptSection.clear();
}

bool CRegistrySettings::ReadInt(const std::string& section, const std::string& name, std::int32_t* value) {
    HKEY key = OpenSection(section);
    if (!key) return false;
    // Only a double word of exactly four bytes is a number.
    DWORD type = 0, data = 0, size = sizeof data;
    LONG rc = ::RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size);
    Release(key);
    if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof data) return false;
    *value = static_cast<std::int32_t>(data);
    return true;
}

bool CRegistrySettings::ReadString(const std::string& section, const std::string& name, std::string* value) {
    HKEY key = OpenSection(section);
    if (!key) return false;
    // Most strings fit a small buffer, read in one call; a longer one asks
    // its size, so a string of any length reads whole. The stored bytes need
    // not end in a NUL, so one is always added.
    bool ok = false;
    char small[1024];
    DWORD smallType = 0, smallGot = sizeof small - 1;
    const LONG first =
        ::RegQueryValueExA(key, name.c_str(), nullptr, &smallType, reinterpret_cast<BYTE*>(small), &smallGot);
    if (first == ERROR_SUCCESS && smallType == REG_SZ) {
        small[std::min<DWORD>(smallGot, sizeof small - 1)] = '\0';
        *value = small;
        ok = true;
    }
    for (int attempt = 0; attempt < 4 && !ok && first == ERROR_MORE_DATA; ++attempt) {
        DWORD type = 0, size = 0;
        if (::RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
            type != REG_SZ)
            break;
        std::string buf(static_cast<size_t>(size) + 1, '\0');
        DWORD got = size;
        LONG rc = ::RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&buf[0]), &got);
        if (rc == ERROR_MORE_DATA) continue;  // changed in between: ask again
        if (rc != ERROR_SUCCESS || type != REG_SZ) break;
        buf.resize(std::min<size_t>(got, buf.size()));
        buf.resize(std::strlen(buf.c_str()));
        *value = buf;
        ok = true;
    }
    Release(key);
    return ok;
}

bool CRegistrySettings::ReadBinary(const std::string& section, const std::string& name,
                                   std::vector<std::uint8_t>* value) {
    HKEY key = OpenSection(section);
    if (!key) return false;
    DWORD type = 0, size = 0;
    bool ok = false;
    if (::RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_NONE || type == REG_BINARY)) {
        std::vector<std::uint8_t> buf(size);
        DWORD got = size;
        if (::RegQueryValueExA(key, name.c_str(), nullptr, &type, buf.empty() ? nullptr : buf.data(), &got) ==
                ERROR_SUCCESS &&
            got == size) {
            *value = std::move(buf);
            ok = true;
        }
    }
    Release(key);
    return ok;
}

bool CRegistrySettings::SetValue(const std::string& section, const std::string& name, DWORD type,
                                 const BYTE* data, DWORD size) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        HKEY key = OpenSection(section);
        if (!key) return false;
        const LONG rc = ::RegSetValueExA(key, name.c_str(), 0, type, data, size);
        Release(key);
        if (rc != ERROR_KEY_DELETED) return rc == ERROR_SUCCESS;
        Forget();  // deleted by another program while kept open: open it afresh
    }
    return false;
}

bool CRegistrySettings::WriteInt(const std::string& section, const std::string& name, std::int32_t value) {
    const DWORD data = static_cast<DWORD>(value);
    return SetValue(section, name, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

bool CRegistrySettings::WriteString(const std::string& section, const std::string& name, const std::string& value) {
    const std::string text(value.c_str());  // a registry string ends at its first NUL
    return SetValue(section, name, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                    static_cast<DWORD>(text.size() + 1));
}

bool CRegistrySettings::WriteBinary(const std::string& section, const std::string& name, const std::uint8_t* bytes,
                                    std::size_t length) {
    return SetValue(section, name, REG_NONE, bytes, static_cast<DWORD>(length));
}

bool CRegistrySettings::DeleteSection(const std::string& section) {
    Forget();
    return DeleteKeyTree(HKEY_CURRENT_USER, SectionPath(section)) == ERROR_SUCCESS;
}

bool CRegistrySettings::DeleteValue(const std::string& section, const std::string& name) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_WRITE, &key) != ERROR_SUCCESS)
        return false;
    LONG rc = ::RegDeleteValueA(key, name.c_str());
    ::RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

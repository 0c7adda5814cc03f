#include "config/core/SettingsStore.h"

#include <algorithm>
#include <cstring>

#include "framework/core/Sjis.h"

namespace settings {

namespace {
SettingsStore* g_current = nullptr;
}  // namespace

SettingsStore* Current() { return g_current; }
void SetCurrent(SettingsStore* store) { g_current = store; }

std::int32_t SettingsStore::ReadSettingInt(const std::string& section, const std::string& name,
                                           std::int32_t def) const {
    std::int32_t v = 0;
    return m_backend->ReadInt(section, name, &v) ? v : def;
}

std::string SettingsStore::ReadSettingString(const std::string& section, const std::string& name,
                                             const std::string& def) const {
    std::string v;
    return m_backend->ReadString(section, name, &v) ? v : def;
}

bool SettingsStore::ReadSettingBinary(const std::string& section, const std::string& name, void* buffer,
                                      std::size_t* length) const {
    if (!length) return false;
    std::vector<std::uint8_t> v;
    if (!m_backend->ReadBinary(section, name, &v) || v.size() > *length) return false;
    if (!v.empty()) std::memcpy(buffer, v.data(), v.size());
    *length = v.size();
    return true;
}

bool SettingsStore::WriteSettingInt(const std::string& section, const std::string& name, std::int32_t value) {
    return m_backend->WriteInt(section, name, value);
}

bool SettingsStore::WriteSettingString(const std::string& section, const std::string& name,
                                       const std::string& text) {
    return m_backend->WriteString(section, name, text);
}

bool SettingsStore::WriteSettingBinary(const std::string& section, const std::string& name, const void* bytes,
                                       std::size_t length) {
    return m_backend->WriteBinary(section, name, static_cast<const std::uint8_t*>(bytes), length);
}

bool SettingsStore::DeleteSettingSection(const std::string& section) { return m_backend->DeleteSection(section); }

bool SettingsStore::DeleteSettingValue(const std::string& section, const std::string& name) {
    return m_backend->DeleteValue(section, name);
}

std::string MemorySettingsBackend::Key(const std::string& s) {
    std::string k = sjis::ToLowerAscii(s);
    std::replace(k.begin(), k.end(), '/', '\\');
    return k;
}

const MemorySettingsBackend::Value* MemorySettingsBackend::Find(const std::string& section,
                                                                const std::string& name) const {
    auto s = m_sections.find(Key(section));
    if (s == m_sections.end()) return nullptr;
    auto v = s->second.find(Key(name));
    return v == s->second.end() ? nullptr : &v->second;
}

bool MemorySettingsBackend::ReadInt(const std::string& section, const std::string& name, std::int32_t* value) {
    m_sections[Key(section)];  // reads create the section, as the registry does
    const Value* v = Find(section, name);
    if (!v || v->kind != Kind::Int) return false;
    *value = v->number;
    return true;
}

bool MemorySettingsBackend::ReadString(const std::string& section, const std::string& name, std::string* value) {
    m_sections[Key(section)];
    const Value* v = Find(section, name);
    if (!v || v->kind != Kind::String) return false;
    *value = v->text;
    return true;
}

bool MemorySettingsBackend::ReadBinary(const std::string& section, const std::string& name,
                                       std::vector<std::uint8_t>* value) {
    m_sections[Key(section)];
    const Value* v = Find(section, name);
    if (!v || v->kind != Kind::Binary) return false;
    value->assign(v->text.begin(), v->text.end());
    return true;
}

bool MemorySettingsBackend::WriteInt(const std::string& section, const std::string& name, std::int32_t value) {
    if (failWrites) return false;
    m_sections[Key(section)][Key(name)] = Value{Kind::Int, value, std::string()};
    return true;
}

bool MemorySettingsBackend::WriteString(const std::string& section, const std::string& name,
                                        const std::string& value) {
    if (failWrites) return false;
    // A registry string ends at its first NUL.
    m_sections[Key(section)][Key(name)] = Value{Kind::String, 0, std::string(value.c_str())};
    return true;
}

bool MemorySettingsBackend::WriteBinary(const std::string& section, const std::string& name,
                                        const std::uint8_t* bytes, std::size_t length) {
    if (failWrites) return false;
    m_sections[Key(section)][Key(name)] =
        Value{Kind::Binary, 0, std::string(reinterpret_cast<const char*>(bytes), length)};
    return true;
}

bool MemorySettingsBackend::DeleteSection(const std::string& section) {
    if (failWrites) return false;
    const std::string key = Key(section);
    bool found = false;
    for (auto it = m_sections.begin(); it != m_sections.end();) {
        const bool below = it->first.size() > key.size() && it->first.compare(0, key.size(), key) == 0 &&
                           it->first[key.size()] == '\\';
        if (it->first == key || below) {
            it = m_sections.erase(it);
            found = true;
        } else {
            ++it;
        }
    }
    return found;
}

bool MemorySettingsBackend::DeleteValue(const std::string& section, const std::string& name) {
    if (failWrites) return false;
    auto s = m_sections.find(Key(section));
    return s != m_sections.end() && s->second.erase(Key(name)) > 0;
}

bool MemorySettingsBackend::HasSection(const std::string& section) const {
    return m_sections.count(Key(section)) > 0;
}

bool MemorySettingsBackend::HasValue(const std::string& section, const std::string& name) const {
    return Find(section, name) != nullptr;
}

std::size_t MemorySettingsBackend::ValueCount(const std::string& section) const {
    auto s = m_sections.find(Key(section));
    return s == m_sections.end() ? 0 : s->second.size();
}

}  // namespace settings

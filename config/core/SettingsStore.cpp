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

bool SettingsStore::ReadSettingBinaryExact(const std::string& section, const std::string& name, void* buffer,
                                           std::size_t length) const {
    std::vector<std::uint8_t> v;
    if (!m_backend->ReadBinary(section, name, &v) || v.size() != length) return false;
    if (length) std::memcpy(buffer, v.data(), length);
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

// ---------------------------------------------------------------------------
// List conventions

std::string IndexedName(const std::string& base, int index) { return base + std::to_string(index); }

std::string IndexedName(const std::string& base, int index, int second) {
    return base + std::to_string(index) + "-" + std::to_string(second);
}

std::string SubSectionName(const std::string& parent, const std::string& base, int index) {
    return parent + "\\" + base + std::to_string(index);
}

std::string SubSectionName(const std::string& parent, const std::string& child) { return parent + "\\" + child; }

std::int32_t ReadListCount(const SettingsStore& store, const std::string& section, std::int32_t maxCount,
                           ListDefault def, const std::string& countName) {
    const std::int32_t missing = def == ListDefault::BuiltIn ? kCountNeverStored : 0;
    const std::int32_t n = store.ReadSettingInt(section, countName, missing);
    if (n < 0) return missing;
    return std::min(n, std::max<std::int32_t>(maxCount, 0));
}

std::vector<std::string> ReadStringList(const SettingsStore& store, const std::string& section,
                                        const std::string& base, std::int32_t maxCount,
                                        const std::string& countName) {
    const std::int32_t n = ReadListCount(store, section, maxCount, ListDefault::Empty, countName);
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(n));
    for (std::int32_t i = 0; i < n; ++i) out.push_back(store.ReadSettingString(section, IndexedName(base, i), ""));
    return out;
}

bool WriteList(SettingsStore& store, const std::string& section, std::int32_t count,
               const std::function<bool(int index)>& writeEntry, const std::string& countName) {
    store.DeleteSettingSection(section);  // false when there was nothing to delete
    if (count < 0) count = 0;
    bool ok = store.WriteSettingInt(section, countName, count);
    for (std::int32_t i = 0; i < count; ++i) {
        if (writeEntry && !writeEntry(i)) ok = false;
    }
    return ok;
}

bool WriteStringList(SettingsStore& store, const std::string& section, const std::string& base,
                     const std::vector<std::string>& entries, const std::string& countName) {
    return WriteList(
        store, section, static_cast<std::int32_t>(entries.size()),
        [&](int i) {
            return store.WriteSettingString(section, IndexedName(base, i), entries[static_cast<std::size_t>(i)]);
        },
        countName);
}

bool DeleteSectionList(SettingsStore& store, const std::string& parent, const std::string& base,
                       std::int32_t count) {
    for (std::int32_t i = 0; i < count; ++i) store.DeleteSettingSection(SubSectionName(parent, base, i));
    return store.DeleteSettingSection(parent);
}

// ---------------------------------------------------------------------------
// Clamped reads

std::int32_t ReadSettingClamped(const SettingsStore& store, const std::string& section, const std::string& name,
                                std::int32_t def, std::int32_t lo, std::int32_t hi) {
    return Clamp(store.ReadSettingInt(section, name, def), lo, hi);
}

std::int32_t ReadSettingFlag(const SettingsStore& store, const std::string& section, const std::string& name,
                             std::int32_t def) {
    return store.ReadSettingInt(section, name, def) != 0 ? 1 : 0;
}

// ---------------------------------------------------------------------------
// Version stamp

int ParseVersionNumber(const std::string& text) {
    const std::string t = text.substr(0, 4);
    std::size_t i = 0;
    while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
    auto isDigit = [&](std::size_t k) { return k < t.size() && t[k] >= '0' && t[k] <= '9'; };
    int whole = 0, frac = 0, scale = 100;
    bool digits = false;
    for (; isDigit(i); ++i) {
        whole = whole * 10 + (t[i] - '0');
        digits = true;
    }
    if (i < t.size() && t[i] == '.') {
        for (++i; isDigit(i); ++i) {
            scale /= 10;  // hundredths and tenths count, further digits are cut off
            frac += (t[i] - '0') * scale;
            digits = true;
        }
    }
    return digits ? whole * 100 + frac : 0;
}

int UpdateVersionStamp(SettingsStore& store, const std::string& currentVersion) {
    const int previous = ParseVersionNumber(store.ReadSettingString(kMainSection, kVersionName, kNoVersion));
    store.WriteSettingString(kMainSection, kVersionName, currentVersion);
    return previous;
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

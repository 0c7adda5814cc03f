#include "shell/core/FrameState.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

#include "framework/core/Sjis.h"

namespace shell {

using settings::IndexedName;
using settings::ReadSettingClamped;

namespace {
// Farther than any screen reaches, in pixels.
constexpr std::int32_t kFarPixels = 1 << 20;
}  // namespace

std::vector<OpenFileRecord> ReadOpenHistory(const settings::SettingsStore& store) {
    std::vector<OpenFileRecord> files;
    const std::int32_t count =
        settings::ReadListCount(store, kOpenHistorySection, kMaxOpenHistory, settings::ListDefault::Empty);
    for (int n = 0; n < count; ++n) {
        OpenFileRecord r;
        r.path = store.ReadSettingString(kOpenHistorySection, IndexedName("Path", n), "");
        if (r.path.empty()) continue;
        r.readOnly = store.ReadSettingInt(kOpenHistorySection, IndexedName("ReadOnly", n), 0) != 0;
        r.start = store.ReadSettingInt(kOpenHistorySection, IndexedName("Start", n), 0);
        r.end = store.ReadSettingInt(kOpenHistorySection, IndexedName("End", n), 0);
        r.xPos = store.ReadSettingInt(kOpenHistorySection, IndexedName("XPos", n), 0);
        r.yPos = store.ReadSettingInt(kOpenHistorySection, IndexedName("YPos", n), 0);
        files.push_back(r);
    }
    return files;
}

void WriteOpenHistory(settings::SettingsStore& store, const std::vector<OpenFileRecord>& files) {
    settings::WriteList(store, kOpenHistorySection, static_cast<std::int32_t>(files.size()), [&](int n) {
        const OpenFileRecord& r = files[static_cast<std::size_t>(n)];
        bool ok = store.WriteSettingString(kOpenHistorySection, IndexedName("Path", n), r.path);
        ok &= store.WriteSettingInt(kOpenHistorySection, IndexedName("Start", n), r.start);
        ok &= store.WriteSettingInt(kOpenHistorySection, IndexedName("End", n), r.end);
        ok &= store.WriteSettingInt(kOpenHistorySection, IndexedName("XPos", n), r.xPos);
        ok &= store.WriteSettingInt(kOpenHistorySection, IndexedName("YPos", n), r.yPos);
        ok &= store.WriteSettingInt(kOpenHistorySection, IndexedName("ReadOnly", n), r.readOnly ? 1 : 0);
        return ok;
    });
}

FramePlacement ReadFramePlacement(const settings::SettingsStore& store, const FramePlacement& current) {
    FramePlacement p;
    // Damaged values must not overflow the rectangle's arithmetic: no screen
    // reaches this far, and ClampToWorkArea brings the frame back anyway.
    const std::int32_t x = ReadSettingClamped(store, "Main", "x", current.rect.left, -kFarPixels, kFarPixels);
    const std::int32_t y = ReadSettingClamped(store, "Main", "y", current.rect.top, -kFarPixels, kFarPixels);
    const std::int32_t w = ReadSettingClamped(store, "Main", "nWidth", current.rect.Width(), 0, kFarPixels);
    const std::int32_t h = ReadSettingClamped(store, "Main", "nHeight", current.rect.Height(), 0, kFarPixels);
    p.rect = Rect{x, y, x + w, y + h};
    p.zoomed = store.ReadSettingInt("Main", "Zoomed", current.zoomed ? 1 : 0) == 1;
    return p;
}

void WriteFramePlacement(settings::SettingsStore& store, const FramePlacement& placement) {
    store.WriteSettingInt("Main", "x", placement.rect.left);
    store.WriteSettingInt("Main", "y", placement.rect.top);
    store.WriteSettingInt("Main", "nWidth", placement.rect.Width());
    store.WriteSettingInt("Main", "nHeight", placement.rect.Height());
    store.WriteSettingInt("Main", "Zoomed", placement.zoomed ? 1 : 0);
}

Rect ClampToWorkArea(const Rect& stored, const Rect& work, std::int32_t minWidth, std::int32_t minHeight) {
    // Widen the arithmetic: stored values may be anything the registry held.
    const std::int64_t workW = std::max<std::int64_t>(work.Width(), 1);
    const std::int64_t workH = std::max<std::int64_t>(work.Height(), 1);
    std::int64_t w = std::int64_t(stored.right) - stored.left;
    std::int64_t h = std::int64_t(stored.bottom) - stored.top;
    w = std::clamp<std::int64_t>(w, std::min<std::int64_t>(minWidth, workW), workW);
    h = std::clamp<std::int64_t>(h, std::min<std::int64_t>(minHeight, workH), workH);
    std::int64_t x = std::clamp<std::int64_t>(stored.left, work.left, work.left + workW - w);
    std::int64_t y = std::clamp<std::int64_t>(stored.top, work.top, work.top + workH - h);
    return Rect{static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), static_cast<std::int32_t>(x + w),
                static_cast<std::int32_t>(y + h)};
}

FrameOptions ReadFrameOptions(const settings::SettingsStore& store) {
    FrameOptions o;
    o.lastSize = store.ReadSettingInt("Main", "LastSize", 0) == 1;
    o.lastOpen = store.ReadSettingInt("Main", "LastOpen", 0) == 1;
    o.statusBar = store.ReadSettingInt("Main", "StatusBarDisp", 1) != 0;
    return o;
}

void WriteFrameOptions(settings::SettingsStore& store, const FrameOptions& options) {
    store.WriteSettingInt("Main", "StatusBarDisp", options.statusBar ? 1 : 0);
    store.WriteSettingInt("Main", "LastSize", options.lastSize ? 1 : 0);
    store.WriteSettingInt("Main", "LastOpen", options.lastOpen ? 1 : 0);
}

OpenFileRecord ClampRecordToText(const OpenFileRecord& record, long long textLength, std::int32_t lineCount) {
    OpenFileRecord r = record;
    const long long length = std::max(0LL, textLength);
    const auto inText = [length](std::int32_t v) {
        return static_cast<std::int32_t>(std::clamp<long long>(v, 0, std::min<long long>(length, INT32_MAX)));
    };
    r.start = inText(record.start);
    r.end = inText(record.end);
    r.xPos = std::clamp<std::int32_t>(record.xPos, 0, 2047);
    r.yPos = std::clamp<std::int32_t>(record.yPos, 0, std::max<std::int32_t>(lineCount - 1, 0));
    return r;
}

bool ParseOpenRequest(unsigned long id, const void* data, std::size_t size, std::string* path) {
    if (id != kOpenRequestId || !data || size == 0) return false;
    const char* bytes = static_cast<const char*>(data);
    const void* nul = std::memchr(bytes, '\0', size);
    const std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - bytes) : size;
    // A second start never sends more than a long path of 259 bytes.
    if (length == 0 || length >= kOpenRequestSize) return false;
    // A path names no control character and ends on a whole character: a
    // block that breaks either rule was not written by a second start.
    for (std::size_t i = 0; i < length; i = sjis::Next(bytes, length, i)) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x20 || c == 0x7F) return false;
        if (sjis::IsLeadByte(c) && (i + 1 >= length || !sjis::IsTrailByte(bytes[i + 1]))) return false;
    }
    path->assign(bytes, length);
    return true;
}

std::string CaretPositionText(std::int32_t line, std::int32_t column) {
    char text[64];
    std::snprintf(text, sizeof text, " %ld行、%ld列 ", static_cast<long>(line) + 1, static_cast<long>(column) + 1);
    return text;
}


}  // namespace shell

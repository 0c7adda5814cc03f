#include "framework/core/PathUtil.h"

#include <cstdio>
#include <cstring>

#include "framework/core/Sjis.h"

namespace pathutil {

namespace {
bool IsSepByte(char c) { return c == '\\' || c == '/'; }

bool EndsWithSeparator(const std::string& s) {
    if (s.empty()) return false;
    return IsSeparatorAt(s, sjis::Previous(s.data(), s.size(), s.size()));
}
}  // namespace

bool IsSeparatorAt(const std::string& path, std::size_t pos) {
    return pos < path.size() && IsSepByte(path[pos]) &&
           sjis::IsBoundary(path.data(), path.size(), pos);
}

std::size_t FileNameOffset(const std::string& path) {
    std::size_t start = 0;
    const char* p = path.data();
    const std::size_t n = path.size();
    for (std::size_t i = 0; i < n; i = sjis::Next(p, n, i)) {
        if (sjis::CharLength(p, n, i) != 1) continue;
        if (IsSepByte(p[i]) || (p[i] == ':' && i == 1)) start = i + 1;
    }
    return start;
}

std::string FolderOf(const std::string& path) { return path.substr(0, FileNameOffset(path)); }

std::string FileNameOf(const std::string& path) { return path.substr(FileNameOffset(path)); }

std::string ExtensionOf(const std::string& path) {
    const std::size_t nameStart = FileNameOffset(path);
    const std::string name = path.substr(nameStart);
    const std::size_t dot = sjis::FindLastChar(name, '.');
    if (dot == sjis::npos) return std::string();
    return name.substr(dot + 1);
}

std::string WithTrailingSeparator(const std::string& folder) {
    if (folder.empty()) return folder;
    return EndsWithSeparator(folder) ? folder : folder + '\\';
}

std::string Join(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    std::size_t skip = 0;
    while (skip < name.size() && IsSepByte(name[skip])) ++skip;
    return WithTrailingSeparator(folder) + name.substr(skip);
}

SplitPath Split(const std::string& path) {
    SplitPath out;
    const char* p = path.data();
    const std::size_t n = path.size();
    std::size_t i = 0;
    if (n >= 2 && path[1] == ':' && !sjis::IsLeadByte(path[0])) {
        i = 2;
        if (i < n && IsSepByte(path[i])) ++i;
        out.root = path.substr(0, i);
    } else if (n >= 2 && IsSepByte(path[0]) && IsSepByte(path[1])) {
        // \\server\share\ : the root takes two names.
        i = 2;
        for (int names = 0; names < 2 && i < n; ++names) {
            while (i < n && !IsSeparatorAt(path, i)) i = sjis::Next(p, n, i);
            if (i < n) ++i;
        }
        out.root = path.substr(0, i);
    } else if (n >= 1 && IsSepByte(path[0])) {
        i = 1;
        out.root = path.substr(0, 1);
    }
    std::size_t start = i;
    while (i <= n) {
        if (i == n || IsSeparatorAt(path, i)) {
            if (i > start) out.names.push_back(path.substr(start, i - start));
            start = i + 1;
            if (i == n) break;
            ++i;
        } else {
            i = sjis::Next(p, n, i);
        }
    }
    return out;
}

std::string LongPathName(const std::string& path, const LongNameLookup& longName) {
    if (path.empty()) return std::string();
    const SplitPath parts = Split(path);
    std::string built = parts.root;
    for (std::size_t k = 0; k < parts.names.size(); ++k) {
        const std::string& name = parts.names[k];
        std::string candidate =
            (built.empty() || EndsWithSeparator(built)) ? built + name : built + '\\' + name;
        std::string found;
        if (name != "." && name != "..") found = longName ? longName(candidate) : std::string();
        if (!found.empty()) {
            candidate = candidate.substr(0, candidate.size() - name.size()) + found;
        }
        built = candidate;
        if (built.size() > kMaxPath) return std::string();
    }
    if (EndsWithSeparator(path) && !EndsWithSeparator(built)) built += '\\';
    if (built.size() > kMaxPath) return std::string();
    return built;
}

bool EqualNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && sjis::ToLowerAscii(a) == sjis::ToLowerAscii(b);
}

namespace {

// The path without one trailing backslash standing as a character of its own.
std::string WithoutTrailingBackslash(const std::string& path) {
    if (path.empty()) return path;
    const std::size_t last = sjis::Previous(path.data(), path.size(), path.size());
    if (path[last] == '\\' && last + 1 == path.size()) return path.substr(0, last);
    return path;
}

std::size_t CountBackslashes(const std::string& s, std::size_t from) {
    std::size_t n = 0;
    for (std::size_t i = sjis::FindChar(s, '\\', from); i != sjis::npos; i = sjis::FindChar(s, '\\', i + 1)) ++n;
    return n;
}

}  // namespace

std::string MakeRelativePath(const std::string& baseIn, const std::string& targetIn) {
    if (baseIn.empty() || targetIn.empty()) return std::string();
    const std::string b = WithoutTrailingBackslash(baseIn);
    const std::string t = WithoutTrailingBackslash(targetIn);
    // Paths on different drives or shares have no relative form.
    if (!EqualNoCase(Split(b).root, Split(t).root)) return targetIn;
    const std::string bl = sjis::ToLowerAscii(b);
    const std::string tl = sjis::ToLowerAscii(t);
    std::size_t i = 0;
    std::size_t lastSeparator = 0;
    bool sawSeparator = false;
    while (i < b.size() && i < t.size()) {
        const std::size_t lb = sjis::CharLength(b.data(), b.size(), i);
        const std::size_t lt = sjis::CharLength(t.data(), t.size(), i);
        if (lb != lt || bl.compare(i, lb, tl, i, lt) != 0) break;
        if (lb == 1 && b[i] == '\\') {
            lastSeparator = i;
            sawSeparator = true;
        }
        i += lb;
    }
    std::size_t shared;
    if (i == b.size() && (i == t.size() || t[i] == '\\')) shared = i;
    else if (i == t.size() && b[i] == '\\') shared = i;
    else shared = sawSeparator ? lastSeparator : 0;
    std::string result;
    for (std::size_t n = CountBackslashes(b, shared); n > 0; --n) result += "..\\";
    std::size_t rest = shared;
    if (rest < t.size() && t[rest] == '\\') ++rest;
    result += t.substr(rest);
    return result;
}

std::string ToForwardSlashes(const std::string& path) {
    std::string out = path;
    for (std::size_t i = sjis::FindChar(out, '\\'); i != sjis::npos; i = sjis::FindChar(out, '\\', i + 1)) out[i] = '/';
    return out;
}

std::string TempPathBeside(const std::string& path, unsigned attempt) {
    const std::string folder = pathutil::FolderOf(path);
    const std::size_t nameLength = path.size() - folder.size();
    char name[32];
    std::snprintf(name, sizeof name, "~pq%04X.tmp", attempt & 0xFFFFu);
    if (nameLength >= std::strlen(name)) return folder + name;
    // A shorter file name: "~" and as many hex digits of the attempt as
    // make the name as long as the target's, so the temporary path is never
    // longer than the target's (a target at the longest path still saves).
    if (nameLength == 0) return std::string();
    std::snprintf(name, sizeof name, "%010X", attempt);
    const std::string temp = folder + "~" + std::string(name + 10 - (nameLength - 1), nameLength - 1);
    return pathutil::EqualNoCase(temp, path) ? std::string() : temp;
}

}  // namespace pathutil


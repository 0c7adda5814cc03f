// What the main frame keeps between runs and shows in its status bar:
// the files of the last run ("History\\Open"), the window placement, the open
// request between two copies of the program, and the status bar texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "config/core/SettingsStore.h"

namespace shell {

// One file of the last run.
struct OpenFileRecord {
    std::string path;
    bool readOnly = false;
    std::int32_t start = 0, end = 0;  // selection (editor byte offsets)
    std::int32_t xPos = 0, yPos = 0;  // scroll position (first column, first line)
};

constexpr char kOpenHistorySection[] = "History\\Open";
// More files than this are not reopened (a damaged Count must not make the
// program try millions of paths).
constexpr std::int32_t kMaxOpenHistory = 256;

// Reads the records 0 .. Count-1 (Count clamped to 0 .. kMaxOpenHistory);
// records with an empty path are skipped.
std::vector<OpenFileRecord> ReadOpenHistory(const settings::SettingsStore& store);
// Replaces the section with the given records (deleted first, then each
// record, then Count).
void WriteOpenHistory(settings::SettingsStore& store, const std::vector<OpenFileRecord>& files);

// A rectangle in screen pixels.
struct Rect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
};

// The frame's outer rectangle and state as stored in "Main".
struct FramePlacement {
    Rect rect;
    bool zoomed = false;
};

// Reads x, y, nWidth, nHeight and Zoomed, each defaulting to `current`.
FramePlacement ReadFramePlacement(const settings::SettingsStore& store, const FramePlacement& current);
void WriteFramePlacement(settings::SettingsStore& store, const FramePlacement& placement);

// Keeps a stored rectangle usable on the present screen: at least
// minWidth x minHeight, no larger than the work area, and moved so that it
// lies inside the work area.
Rect ClampToWorkArea(const Rect& stored, const Rect& workArea, std::int32_t minWidth = 200,
                     std::int32_t minHeight = 150);

// The open request another copy of the program sends: WM_COPYDATA with this
// identifier and a NUL-terminated long path of up to 260 bytes.
constexpr unsigned long kOpenRequestId = 20000807;
constexpr std::size_t kOpenRequestSize = 260;
// Takes the path out of a copy-data block. Only the identifier is trusted:
// at most `size` bytes are read, the path ends at the first NUL or at the
// block's end, and an empty path or one longer than 259 bytes is refused.
bool ParseOpenRequest(unsigned long id, const void* data, std::size_t size, std::string* path);

// The frame's own options in "Main": LastSize (start with the last position
// and size), LastOpen (reopen the files of the last run) and StatusBarDisp.
struct FrameOptions {
    bool lastSize = false;
    bool lastOpen = false;
    bool statusBar = true;
};
FrameOptions ReadFrameOptions(const settings::SettingsStore& store);
void WriteFrameOptions(settings::SettingsStore& store, const FrameOptions& options);

// What a stored record may set in an editor whose text is `textLength` bytes
// of `lineCount` lines: the selection within 0 .. textLength (a negative end
// would otherwise ask for the whole text) and the scroll position within
// 0 .. 2047 columns and 0 .. lineCount - 1 lines.
OpenFileRecord ClampRecordToText(const OpenFileRecord& record, long long textLength, std::int32_t lineCount);

// Status bar texts.
std::string CaretPositionText(std::int32_t line, std::int32_t column);  // " %ld行、%ld列 " of line+1, column+1

}  // namespace shell

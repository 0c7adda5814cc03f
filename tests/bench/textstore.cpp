// Figures of the editor's text store on a generated document of 1 000 000
// lines (about 60 MB of Shift JIS), beside a plain memcpy of the same bytes.
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "bench/BenchDocument.h"
#include "editor/core/EditorModel.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

std::size_t HeapInUse() {
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

// Lines in a comment carry state 3 from "<!--" to "-->".
int CommentState(const char* line, int length, int previous) {
    int state = previous == 3 ? 3 : 0;
    for (int i = 0; i < length; ++i) {
        if (state == 0 && i + 4 <= length && std::memcmp(line + i, "<!--", 4) == 0) state = 3;
        if (state == 3 && i + 3 <= length && std::memcmp(line + i, "-->", 3) == 0) state = 0;
    }
    return state;
}

}  // namespace

int main() {
    const int kLines = 1000000;
    const std::string doc = Document(kLines, 1);
    const double mb = static_cast<double>(doc.size()) / (1024.0 * 1024.0);
    std::printf("document: %d lines, %zu bytes (%.1f MB)\n\n", kLines + 1, doc.size(), mb);

    // memcpy into a new block (its pages are touched for the first time, as
    // the store's are) and into the same block again.
    Clock::time_point t0 = Clock::now();
    char* copy = static_cast<char*>(std::malloc(doc.size()));
    std::memcpy(copy, doc.data(), doc.size());
    Clock::time_point t1 = Clock::now();
    std::memcpy(copy, doc.data(), doc.size());
    Clock::time_point t2 = Clock::now();
    volatile char sink = copy[doc.size() / 2];
    (void)sink;
    std::free(copy);
    const double memcpyCold = Seconds(t0, t1), memcpyWarm = Seconds(t1, t2);
    std::printf("memcpy into a new block      %8.1f ms  %7.0f MB/s\n", memcpyCold * 1e3, mb / memcpyCold);
    std::printf("memcpy again (warm)          %8.1f ms  %7.0f MB/s\n", memcpyWarm * 1e3, mb / memcpyWarm);

    editor::EditorModel ed;
    const std::size_t heapBefore = HeapInUse();
    t0 = Clock::now();
    ed.SetText(doc);
    t1 = Clock::now();
    const std::size_t heapAfter = HeapInUse();
    const double setText = Seconds(t0, t1);
    std::printf("SetText                      %8.1f ms  %7.0f MB/s  (%.2f x memcpy into a new block)\n",
                setText * 1e3, mb / setText, setText / memcpyCold);
    std::printf("heap for the text            %8.1f MB   %.3f bytes per byte of text (%.3f as requested)\n",
                static_cast<double>(heapAfter - heapBefore) / (1024.0 * 1024.0),
                static_cast<double>(heapAfter - heapBefore) / static_cast<double>(doc.size()),
                static_cast<double>(ed.Store().HeldBytes()) / static_cast<double>(doc.size()));

    {
        std::string out;
        t0 = Clock::now();
        ed.GetText(out);
        t1 = Clock::now();
        std::printf("GetText (string)             %8.1f ms  %7.0f MB/s  (%.2f x memcpy into a new block) %s\n",
                    Seconds(t0, t1) * 1e3, mb / Seconds(t0, t1), Seconds(t0, t1) / memcpyCold,
                    out == doc ? "" : "TEXT DIFFERS");
        t0 = Clock::now();
        ed.GetText(&out[0], out.size() + 1);
        t1 = Clock::now();
        std::printf("GetText (into a buffer)      %8.1f ms  %7.0f MB/s  (%.2f x memcpy again)\n", Seconds(t0, t1) * 1e3,
                    mb / Seconds(t0, t1), Seconds(t0, t1) / memcpyWarm);
    }

    ed.SetColorFunctions(nullptr, CommentState);
    t0 = Clock::now();
    ed.RecomputeAllStates();
    t1 = Clock::now();
    std::printf("line states of every line    %8.1f ms\n", Seconds(t0, t1) * 1e3);

    // One typed character in the middle, no line state changes: the mean of
    // many, one in each of the lines around the middle, each its own undo
    // record. (The time grows with the length of the caret's line, which
    // the column conversions walk.)
    const int middle = kLines / 2;
    const int kTyped = 10000;
    double typing = 0, undoing = 0;
    for (int i = 0; i < kTyped; ++i) {
        const int line = middle - kTyped / 2 + i;
        ed.SetSelection(ed.LineLength(line) / 2, line, ed.LineLength(line) / 2, line);
        t0 = Clock::now();
        ed.TypeChar(static_cast<unsigned char>('a' + i % 26));
        t1 = Clock::now();
        typing += Seconds(t0, t1);
    }
    for (int i = 0; i < kTyped; ++i) {
        t0 = Clock::now();
        ed.Undo();
        t1 = Clock::now();
        undoing += Seconds(t0, t1);
    }
    std::printf("typed character, same state  %8.2f us (mean of %d)\n", typing * 1e6 / kTyped, kTyped);
    std::printf("undo of a typed character    %8.2f us (mean of %d)\n", undoing * 1e6 / kTyped, kTyped);

    // A typed character that opens a comment, at the top and in the middle:
    // every line below changes state. Only the edited line is computed; the
    // lines below are computed when asked for, here as painting a window of
    // 60 lines asks for them.
    for (const int line : {0, middle}) {
        ed.SetSelection(0, line, 0, line);
        ed.ReplaceSelection("<!-", true);
        ed.LineState(line + 60);
        t0 = Clock::now();
        ed.TypeChar('-');
        t1 = Clock::now();
        ed.LineState(line + 60);
        t2 = Clock::now();
        std::printf("typed character, new state   %8.3f ms at line %d (%.3f ms with the 60 lines below it)\n",
                    Seconds(t0, t1) * 1e3, line, Seconds(t0, t2) * 1e3);
        t0 = Clock::now();
        ed.Undo();
        t1 = Clock::now();
        std::printf("its undo                     %8.3f ms\n", Seconds(t0, t1) * 1e3);
        ed.Undo();
    }

    // A 10 MB paste in the middle and its undo.
    const std::string paste = Document(170000, 2).substr(0, 10 * 1024 * 1024);
    ed.SetSelection(3, middle, 3, middle);
    t0 = Clock::now();
    ed.ReplaceSelection(paste, true);
    t1 = Clock::now();
    std::printf("paste of 10 MB               %8.1f ms\n", Seconds(t0, t1) * 1e3);
    t0 = Clock::now();
    const int undone = ed.Undo();
    t1 = Clock::now();
    std::printf("undo of the 10 MB paste      %8.1f ms\n", Seconds(t0, t1) * 1e3);
    t0 = Clock::now();
    ed.Redo();
    t1 = Clock::now();
    std::printf("redo of the 10 MB paste      %8.1f ms\n", Seconds(t0, t1) * 1e3);
    ed.Undo();
    std::string out;
    ed.GetText(out);
    std::printf("\ntext after the undos %s\n", undone && out == doc ? "is the document again" : "DIFFERS");
    return 0;
}

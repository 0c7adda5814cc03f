// Figures of find and replace and of the line-head insertion on the generated
// document of 1 000 000 lines (about 60 MB of Shift JIS), each beside a plain
// pass over the same bytes.
#include <malloc.h>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstring>
#include <string>

#include "bench/BenchDocument.h"
#include "editor/core/EditorModel.h"
#include "search/core/LineTools.h"
#include "search/core/Search.h"

namespace {

// Times are the thread's processor time: the machine is shared, and wall
// time would count the other programs' turns.
struct Clock {
    using time_point = double;
    static double now() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    }
};

double Seconds(double a, double b) { return b - a; }

std::size_t HeapInUse() {
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

// Every tenth line starts with the word (100 000 of 1 000 000).
std::string WithNeedles(const std::string& doc, const char* needle) {
    std::string out;
    out.reserve(doc.size() + doc.size() / 40);
    std::size_t line = 0, pos = 0;
    while (pos < doc.size()) {
        std::size_t end = doc.find('\n', pos);
        end = end == std::string::npos ? doc.size() : end + 1;
        if (line++ % 10 == 0) out += needle;
        out.append(doc, pos, end - pos);
        pos = end;
    }
    return out;
}

}  // namespace

int main() {
    const int kLines = 1000000;
    const std::string doc = Document(kLines, 1);
    std::printf("document: %d lines, %zu bytes (%.1f MB)\n\n", kLines + 1, doc.size(),
                static_cast<double>(doc.size()) / (1024.0 * 1024.0));

    // An absent word whose first letter is common ("text").
    const std::string absent = "tables";
    {
        editor::EditorModel ed;
        ed.SetText(doc);
        // The best of five runs each: the machine is shared.
        double base = 1e9;
        const void* hit = nullptr;
        for (int k = 0; k < 5; ++k) {
            const double t0 = Clock::now();
            hit = memmem(doc.data(), doc.size(), absent.data(), absent.size());
            base = std::min(base, Seconds(t0, Clock::now()));
        }
        std::printf("memmem, absent word          %8.1f ms %s\n", base * 1e3, hit ? "(FOUND?)" : "");
        for (bool matchCase : {true, false}) {
            double best = 1e9;
            bool found = false;
            for (int k = 0; k < 5; ++k) {
                ed.SetSelection(0, 0, 0, 0);
                const double t0 = Clock::now();
                found = search::FindNext(&ed, absent, {matchCase, false});
                best = std::min(best, Seconds(t0, Clock::now()));
            }
            std::printf("FindNext, match case %-3s     %8.1f ms  (%.2f x memmem; target %s) %s\n", matchCase ? "on" : "off",
                        best * 1e3, best / base, matchCase ? "5" : "10", found ? "(FOUND?)" : "");
        }
    }

    {
        const std::string text = WithNeedles(doc, "needle ");
        // The same result by one pass of find and append.
        double t0 = Clock::now();
        std::string built;
        built.reserve(text.size());
        std::size_t pos = 0, count = 0;
        for (const char* hit; (hit = static_cast<const char*>(memmem(text.data() + pos, text.size() - pos, "needle", 6)));
             ++count) {
            const std::size_t at = static_cast<std::size_t>(hit - text.data());
            built.append(text, pos, at - pos);
            built += "pin";
            pos = at + 6;
        }
        built.append(text, pos, std::string::npos);
        double t1 = Clock::now();
        const double base = Seconds(t0, t1);

        editor::EditorModel ed;
        ed.SetText(text);
        const std::size_t heapBefore = HeapInUse();
        t0 = Clock::now();
        const search::ReplaceAllResult r = search::ReplaceAll(&ed, "needle", "pin", {true, false});
        t1 = Clock::now();
        const std::size_t heapAfter = HeapInUse();
        std::string result;
        ed.GetText(result);
        std::printf("\nfind and append, %zu times  %8.1f ms\n", count, base * 1e3);
        std::printf("replace all, %d replacements %8.1f ms  (%.2f x find and append; target 20) %s\n", r.count,
                    Seconds(t0, t1) * 1e3, Seconds(t0, t1) / base, result == built ? "" : "TEXT DIFFERS");
        std::printf("heap per replacement         %8.1f bytes (undo records and changed lines)\n",
                    static_cast<double>(heapAfter - heapBefore) / r.count);
    }

    {
        std::string result;
        result.reserve(doc.size() + 2 * kLines + 2);
        std::size_t pos = 0;
        while (pos <= doc.size()) {
            std::size_t end = doc.find("\r\n", pos);
            result += "> ";
            if (end == std::string::npos) {
                result.append(doc, pos, std::string::npos);
                break;
            }
            result.append(doc, pos, end + 2 - pos);
            pos = end + 2;
        }
        editor::EditorModel other;
        double t0 = Clock::now();
        other.SetText(result);
        double t1 = Clock::now();
        const double base = Seconds(t0, t1);

        editor::EditorModel ed;
        ed.SetText(doc);
        t0 = Clock::now();
        const search::InsertStatus status =
            search::InsertAtLines(ed, 1, ed.LineCount(), "> ", search::InsertPlace::Head);
        t1 = Clock::now();
        std::string text;
        ed.GetText(text);
        std::printf("\nSetText of the result        %8.1f ms\n", base * 1e3);
        std::printf("\"> \" at every line head      %8.1f ms  (%.2f x SetText; target 10) %s\n", Seconds(t0, t1) * 1e3,
                    Seconds(t0, t1) / base,
                    status == search::InsertStatus::Done && text == result ? "" : "TEXT DIFFERS");
    }
    return 0;
}

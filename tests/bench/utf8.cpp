// UTF-8 benchmark: detection, UTF-8 to SHIFT JIS and SHIFT JIS to UTF-8 on
// about 100 MB of Japanese text (the machine's Japanese manual pages,
// repeated), beside the C library's iconv doing the same conversions in this
// process.
#include "support/JapaneseCorpus.h"

#include "documents/core/CharCode.h"
#include "documents/core/Utf8.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

template <typename Run>
double BestSeconds(int runs, Run run) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto t = Clock::now();
        run();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - t).count());
    }
    return best;
}

double MBps(std::size_t bytes, double seconds) { return seconds > 0 ? bytes / 1e6 / seconds : 0; }

}  // namespace

int main() {
    const corpus::Corpus c = corpus::Build(1, 0);
    if (!c.error.empty()) {
        std::printf("no corpus: %s\n", c.error.c_str());
        return 0;
    }
    // Pages that code page 932 holds whole, so that iconv converts them too.
    std::string sjisPages;
    for (const corpus::Sample& s : c.sets[corpus::kSjis])
        if (s.kind == corpus::kFile) sjisPages += s.bytes;
    std::string utf8Pages;
    if (!corpus::Iconv("UTF-8", "CP932", sjisPages, &utf8Pages)) return 1;
    std::string utf8;
    while (utf8.size() < 100u * 1000 * 1000) utf8 += utf8Pages;
    std::string sjis;
    if (!corpus::Iconv("CP932", "UTF-8", utf8, &sjis)) return 1;
    std::printf("text: UTF-8 %.1f MB, SHIFT JIS %.1f MB\n", utf8.size() / 1e6, sjis.size() / 1e6);

    int code = -1;
    const double detect = BestSeconds(3, [&] { code = encoding::DetectCharCode(utf8.data(), utf8.size()); });
    std::printf("detection: %.0f MB/s (found %d)\n", MBps(utf8.size(), detect), code);

    std::printf("%-14s %10s %10s %8s  %s\n", "", "ours MB/s", "iconv MB/s", "ratio", "same bytes as iconv");
    {
        std::string ours, theirs;
        const double so = BestSeconds(3, [&] {
            cp932::CharTable table;
            std::size_t overflow = 0;
            ours.clear();
            encoding::Utf8ToSjis(utf8.data(), utf8.size(), &table, &ours, &overflow);
        });
        const double si = BestSeconds(3, [&] { corpus::Iconv("CP932", "UTF-8", utf8, &theirs); });
        std::printf("%-14s %10.0f %10.0f %7.1fx  %s\n", "UTF-8 -> SJIS", MBps(utf8.size(), so), MBps(utf8.size(), si),
                    si / so, ours == theirs ? "yes" : "no");
    }
    {
        std::string ours, theirs;
        const double so = BestSeconds(3, [&] {
            std::size_t bad = 0;
            ours.clear();
            encoding::SjisToUtf8(sjis.data(), sjis.size(), nullptr, &ours, &bad);
        });
        const double si = BestSeconds(3, [&] { corpus::Iconv("UTF-8", "CP932", sjis, &theirs); });
        std::printf("%-14s %10.0f %10.0f %7.1fx  %s\n", "SJIS -> UTF-8", MBps(sjis.size(), so), MBps(sjis.size(), si),
                    si / so, ours == theirs ? "yes" : "no");
    }
    return 0;
}

// Encoding benchmark: detection and the four conversions on about 100 MB of
// Japanese text (the machine's Japanese manual pages, repeated), beside the C
// library's iconv doing the same conversions in this process and the nkf
// program doing them through temporary files; then detection accuracy on the
// manual-page corpus beside `nkf --guess` and `uchardet`.
#include "support/JapaneseCorpus.h"

#include "documents/core/CharCode.h"
#include "documents/core/TextCodec.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

double MBps(std::size_t bytes, double seconds) { return seconds > 0 ? bytes / 1e6 / seconds : 0; }

// Best of a few runs, to keep other work on the machine out of the figures.
template <typename Run>
double BestSeconds(int runs, Run run) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto t = Clock::now();
        run();
        const double s = Seconds(t);
        if (s < best) best = s;
    }
    return best;
}

std::string TempDir() {
    char dir[] = "/tmp/pqbenchXXXXXX";
    return mkdtemp(dir) ? dir : "/tmp";
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

std::size_t FileSize(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return 0;
    std::fseek(f, 0, SEEK_END);
    const long n = std::ftell(f);
    std::fclose(f);
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

bool HaveProgram(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

struct Conversion {
    const char* name;
    int from, to;  // corpus encodings
    bool (*ours)(encoding::CodeConverter&);
    bool fullWidth;
    const char* nkfOptions;
};

// The encoding a tool named, as a corpus encoding, or -1.
int ToolAnswer(const std::string& name) {
    if (name == "Shift_JIS" || name == "SHIFT_JIS" || name == "CP932" || name == "WINDOWS-31J") return corpus::kSjis;
    if (name == "EUC-JP" || name == "CP51932" || name == "eucJP-ms" || name == "EUCJP-MS") return corpus::kEuc;
    if (name == "ISO-2022-JP" || name == "CP50221" || name == "ISO-2022-JP-1" || name == "ISO-2022-JP-3")
        return corpus::kJis;
    return -1;
}

// Runs `tool` on the files (in batches) and returns its answer per file.
std::vector<int> ToolGuesses(const std::string& tool, const std::vector<std::string>& files) {
    std::map<std::string, int> answers;
    for (std::size_t i = 0; i < files.size(); i += 400) {
        std::string cmd = tool;
        for (std::size_t k = i; k < files.size() && k < i + 400; ++k) cmd += " " + files[k];
        const std::string out = corpus::ReadCommand(cmd + " 2>/dev/null");
        for (std::size_t a = 0; a < out.size();) {
            std::size_t b = out.find('\n', a);
            if (b == std::string::npos) b = out.size();
            const std::string line = out.substr(a, b - a);
            a = b + 1;
            const std::size_t colon = line.find(": ");
            if (colon == std::string::npos) continue;
            std::string name = line.substr(colon + 2);
            const std::size_t space = name.find(' ');
            if (space != std::string::npos) name.resize(space);
            answers[line.substr(0, colon)] = ToolAnswer(name);
        }
    }
    std::vector<int> result;
    for (const std::string& f : files) {
        auto it = answers.find(f);
        result.push_back(it == answers.end() ? -1 : it->second);
    }
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    const bool speedOnly = argc > 1 && std::string(argv[1]) == "--speed";  // skip the accuracy part
    const auto start = Clock::now();
    const corpus::Corpus c = corpus::Build(1);
    if (!c.error.empty()) {
        std::printf("no corpus: %s\n", c.error.c_str());
        return 1;
    }
    std::printf("corpus: %zu manual pages (%.1f s to build)\n", c.pages, Seconds(start));

    // The same pages in each encoding: only pages that converted into all three.
    std::vector<const std::string*> pages[corpus::kEncodings];
    {
        std::map<std::size_t, const std::string*> byPage[corpus::kEncodings];
        for (int e = 0; e < corpus::kEncodings; ++e) {
            for (const corpus::Sample& s : c.sets[e]) {
                if (s.kind == corpus::kFile) byPage[e][s.page] = &s.bytes;
            }
        }
        for (const auto& p : byPage[corpus::kSjis]) {
            if (byPage[corpus::kJis].count(p.first) && byPage[corpus::kEuc].count(p.first)) {
                for (int e = 0; e < corpus::kEncodings; ++e) pages[e].push_back(byPage[e][p.first]);
            }
        }
    }
    std::string big[corpus::kEncodings];
    const std::size_t target = 100u * 1000 * 1000;
    while (big[corpus::kSjis].size() < target) {
        for (std::size_t i = 0; i < pages[0].size(); ++i) {
            for (int e = 0; e < corpus::kEncodings; ++e) big[e] += *pages[e][i];
        }
    }
    std::printf("text: %zu pages repeated; SJIS %.1f MB, JIS %.1f MB, EUC %.1f MB\n\n", pages[0].size(),
                big[0].size() / 1e6, big[1].size() / 1e6, big[2].size() / 1e6);

    // Detection: it decides on the first line with Japanese, so also a text
    // where every line ties and the whole text is read. Beside it, `nkf
    // --guess` and `uchardet` on the same bytes as a file (their figures
    // include starting the program and reading the file).
    const std::string dir = TempDir();
    const bool nkf = HaveProgram("nkf");
    const bool uchardet = HaveProgram("uchardet");
    std::printf("detection (MB/s of the whole text; best of 3)\n");
    std::printf("  %-4s %8s %-5s %10s %10s %10s\n", "", "MB", "found", "ours", "nkf", "uchardet");
    for (int e = 0; e < corpus::kEncodings; ++e) {
        int result = -1;
        const double s = BestSeconds(3, [&] { result = encoding::DetectCharCode(big[e].data(), big[e].size()); });
        double sn = 0, su = 0;
        const std::string path = dir + "/detect.txt";
        if ((nkf || uchardet) && WriteFile(path, big[e])) {
            auto timeTool = [&](const char* tool) {
                const std::string cmd = std::string(tool) + " " + path + " >/dev/null 2>&1";
                return BestSeconds(3, [&] {
                    if (std::system(cmd.c_str()) != 0) std::printf("  %s failed\n", tool);
                });
            };
            if (nkf) sn = timeTool("nkf --guess");
            if (uchardet) su = timeTool("uchardet");
            std::remove(path.c_str());
        }
        std::printf("  %-4s %8.1f %-5s %10.0f %10.0f %10.0f\n", corpus::Name(e), big[e].size() / 1e6,
                    corpus::Name(result), MBps(big[e].size(), s), MBps(big[e].size(), sn), MBps(big[e].size(), su));
    }
    {
        std::string ascii(target, 'a');
        for (std::size_t i = 79; i < ascii.size(); i += 80) ascii[i] = '\n';
        const double s = BestSeconds(3, [&] { encoding::DetectCharCode(ascii.data(), ascii.size()); });
        std::printf("  ASCII %.1f MB, read to the end: %.0f MB/s\n", ascii.size() / 1e6, MBps(ascii.size(), s));
        std::string ties;
        const std::string line = "\xA4\xA2\xB4\xC1 \xC6\xCA\xCB\xDC abc\n";  // reads the same both ways
        while (ties.size() < target) ties += line;
        const double t = BestSeconds(3, [&] { encoding::DetectCharCode(ties.data(), ties.size()); });
        std::printf("  every line a tie %.1f MB, scores and tie rule: %.0f MB/s\n\n", ties.size() / 1e6,
                    MBps(ties.size(), t));
    }

    const Conversion conversions[] = {
        {"JIS to SJIS", corpus::kJis, corpus::kSjis, encoding::JisToSjis, false, "-J -s -x"},
        {"EUC to SJIS", corpus::kEuc, corpus::kSjis, encoding::EucToSjis, false, "-E -s -x"},
        {"SJIS to JIS", corpus::kSjis, corpus::kJis, encoding::SjisToJis, true, "-S -j"},
        {"SJIS to EUC", corpus::kSjis, corpus::kEuc, encoding::SjisToEuc, true, "-S -e"},
    };
    std::printf("conversions (MB/s of input; best of 3)\n");
    std::printf("  %-12s %10s %10s %10s %8s  %s\n", "", "ours", "iconv", "nkf", "ours/iconv", "same bytes as iconv");
    for (const Conversion& conv : conversions) {
        const std::string& in = big[conv.from];
        std::string ours;
        const double so = BestSeconds(3, [&] {
            encoding::CodeConverter cc(in.data(), in.size(), conv.fullWidth);
            cc.output.reserve(in.size() + in.size() / 8);
            conv.ours(cc);
            ours.swap(cc.output);
        });
        std::string theirs;
        std::size_t skipped = 0;
        const double si = BestSeconds(3, [&] {
            corpus::Iconv(corpus::IconvName(conv.to), corpus::IconvName(conv.from), in, &theirs, &skipped);
        });
        double sn = 0;
        if (nkf) {
            const std::string inPath = dir + "/in.txt", outPath = dir + "/out.txt";
            WriteFile(inPath, in);
            const std::string cmd = std::string("nkf ") + conv.nkfOptions + " " + inPath + " > " + outPath;
            sn = BestSeconds(3, [&] {
                if (std::system(cmd.c_str()) != 0) std::printf("  nkf failed\n");
            });
            if (FileSize(outPath) == 0) sn = 0;
            std::remove(inPath.c_str());
            std::remove(outPath.c_str());
        }
        std::printf("  %-12s %10.0f %10.0f %10.0f %7.1fx  %s%s\n", conv.name, MBps(in.size(), so),
                    MBps(in.size(), si), MBps(in.size(), sn), si / so, ours == theirs ? "yes" : "no",
                    skipped ? (" (iconv skipped " + std::to_string(skipped) + " bytes)").c_str() : "");
    }

    if (speedOnly) return 0;
    // Accuracy: every sample as a file for the tools, in memory for ours.
    std::printf("\ndetection accuracy on the corpus (percent right)\n");
    std::printf("  %-4s %-11s %7s %8s %8s %8s\n", "", "", "samples", "ours", "nkf", "uchardet");
    for (int e = 0; e < corpus::kEncodings; ++e) {
        std::vector<std::string> files;
        for (std::size_t i = 0; i < c.sets[e].size(); ++i) {
            files.push_back(dir + "/" + corpus::Name(e) + std::to_string(i) + ".txt");
            WriteFile(files.back(), c.sets[e][i].bytes);
        }
        const std::vector<int> byNkf = nkf ? ToolGuesses("nkf --guess", files) : std::vector<int>(files.size(), -1);
        const std::vector<int> byUchardet =
            uchardet ? ToolGuesses("uchardet", files) : std::vector<int>(files.size(), -1);
        for (const std::string& f : files) std::remove(f.c_str());
        for (int k = 0; k <= corpus::kKinds; ++k) {  // kKinds: all samples together
            std::size_t total = 0, ours = 0, n = 0, u = 0;
            for (std::size_t i = 0; i < c.sets[e].size(); ++i) {
                const corpus::Sample& s = c.sets[e][i];
                if (s.kind != k && k != corpus::kKinds) continue;
                ++total;
                ours += encoding::DetectCharCode(s.bytes.data(), s.bytes.size()) == e;
                n += byNkf[i] == e;
                u += byUchardet[i] == e;
            }
            if (!total) continue;
            std::printf("  %-4s %-11s %7zu %7.2f%% %7.2f%% %7.2f%%\n", corpus::Name(e),
                        k == corpus::kKinds ? "all" : corpus::KindName(k), total,
                        100.0 * ours / total, 100.0 * n / total, 100.0 * u / total);
        }
    }
    rmdir(dir.c_str());
    std::printf("\ntotal %.1f s\n", Seconds(start));
    return 0;
}

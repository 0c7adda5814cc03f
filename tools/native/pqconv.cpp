// pqconv: detects the encoding of a text file as Pembroquil does and converts
// it between SHIFT JIS, JIS, EUC and UTF-8 and between line ends, with the
// program's own converters.
#include "documents/core/TextCodec.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char kUsage[] =
    "usage: pqconv [-g] [-f CODE] [-t CODE] [-l EOL] [-o OUTPUT] FILE\n"
    "Detects the encoding of FILE (\"-\" reads standard input) and writes it converted.\n"
    "  -g         only print the detected encoding and line ends, for example \"EUC LF\"\n"
    "             (\"mixed\" is added when the file has more than one kind of line end)\n"
    "  -f CODE    encoding of FILE: auto (detect, the default), sjis, jis, euc or utf8\n"
    "  -t CODE    encoding to write: sjis (the default), jis, euc, utf8 or same (as read)\n"
    "  -r         write characters SHIFT JIS, JIS or EUC cannot hold as numeric\n"
    "             character references (&#xA0;) instead of refusing\n"
    "  -l EOL     line ends to write: keep (the default), crlf, cr or lf\n"
    "  -o OUTPUT  write to OUTPUT instead of standard output\n"
    "Half-width katakana become full-width when writing JIS or EUC, as the editor saves them.\n"
    "Characters of a UTF-8 file that code page 932 cannot hold are kept in a table, as the\n"
    "editor keeps them, and written back when writing UTF-8; the number is reported.\n"
    "Exit status: 0 done, 1 a file could not be read or written, or the characters of the\n"
    "table cannot be written in the code asked for (use -r or utf8), 2 bad usage.\n";

int CodeOf(const char* name, bool allowAuto, bool allowSame) {
    if (std::strcmp(name, "sjis") == 0) return encoding::kCodeSjis;
    if (std::strcmp(name, "jis") == 0) return encoding::kCodeJis;
    if (std::strcmp(name, "euc") == 0) return encoding::kCodeEuc;
    if (std::strcmp(name, "utf8") == 0 || std::strcmp(name, "utf-8") == 0) return encoding::kCodeUtf8;
    if (allowAuto && std::strcmp(name, "auto") == 0) return -1;
    if (allowSame && std::strcmp(name, "same") == 0) return encoding::kCodeAsLoaded;
    return -2;
}

int ReturnOf(const char* name) {
    if (std::strcmp(name, "keep") == 0) return encoding::kReturnAsLoaded;
    if (std::strcmp(name, "crlf") == 0) return encoding::kReturnCrLf;
    if (std::strcmp(name, "cr") == 0) return encoding::kReturnCr;
    if (std::strcmp(name, "lf") == 0) return encoding::kReturnLf;
    return -2;
}

bool ReadAll(const char* path, std::string* out) {
    FILE* f = std::strcmp(path, "-") == 0 ? stdin : std::fopen(path, "rb");
    if (!f) return false;
    char buf[1 << 16];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out->append(buf, n);
    const bool ok = !std::ferror(f);
    if (f != stdin) std::fclose(f);
    return ok;
}

bool WriteAll(const char* path, const std::string& bytes) {
    FILE* f = path ? std::fopen(path, "wb") : stdout;
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (path ? std::fclose(f) == 0 : std::fflush(f) == 0) && ok;
    return ok;
}

// The text with the line ends of `returnCode`, as the editor would set them.
class TextSource : public encoding::ISaveSource {
public:
    explicit TextSource(std::string* text) : m_text(text) {}
    void SetLineEndMode(int) override {}
    bool GetText(int returnCode, std::string* text) override {
        if (returnCode < encoding::kReturnCrLf || returnCode > encoding::kReturnLf) {
            text->swap(*m_text);
            return true;
        }
        text->clear();
        return encoding::ConvertLineEnds(m_text->data(), m_text->size(), returnCode, text);
    }

private:
    std::string* m_text;
};

}  // namespace

int main(int argc, char** argv) {
    bool guessOnly = false;
    bool references = false;
    int from = -1;
    int to = encoding::kCodeSjis;
    int lineEnd = encoding::kReturnAsLoaded;
    const char* output = nullptr;
    const char* input = nullptr;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(a, "-h") == 0 || std::strcmp(a, "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (std::strcmp(a, "-g") == 0) {
            guessOnly = true;
        } else if (std::strcmp(a, "-r") == 0) {
            references = true;
        } else if (std::strcmp(a, "-f") == 0 && hasValue) {
            from = CodeOf(argv[++i], true, false);
        } else if (std::strcmp(a, "-t") == 0 && hasValue) {
            to = CodeOf(argv[++i], false, true);
        } else if (std::strcmp(a, "-l") == 0 && hasValue) {
            lineEnd = ReturnOf(argv[++i]);
        } else if (std::strcmp(a, "-o") == 0 && hasValue) {
            output = argv[++i];
        } else if (!input && (a[0] != '-' || std::strcmp(a, "-") == 0)) {
            input = a;
        } else {
            std::fprintf(stderr, "pqconv: unknown or incomplete option %s\n%s", a, kUsage);
            return 2;
        }
        if (from == -2 || to == -2 || lineEnd == -2) {
            std::fprintf(stderr, "pqconv: bad value for %s\n%s", a, kUsage);
            return 2;
        }
    }
    if (!input) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    std::string bytes;
    if (!ReadAll(input, &bytes)) {
        std::fprintf(stderr, "pqconv: %s: %s\n", input, std::strerror(errno));
        return 1;
    }
    encoding::LoadedText loaded;
    const bool decoded = from < 0 ? encoding::DecodeFileBytes(bytes.data(), bytes.size(), &loaded)
                                  : encoding::DecodeFileBytesAs(bytes.data(), bytes.size(), from, &loaded);
    if (!decoded) {
        std::fprintf(stderr, "pqconv: %s: out of memory\n", input);
        return 1;
    }
    if (guessOnly) {
        std::printf("%s%s %s%s\n", encoding::CharCodeName(loaded.charCode), loaded.mark ? " BOM" : "",
                    encoding::ReturnCodeName(loaded.returnCode), loaded.mixedLineEnds ? " mixed" : "");
        return 0;
    }
    if (loaded.nulCount) std::fprintf(stderr, "pqconv: %s: %zu NUL bytes (kept)\n", input, loaded.nulCount);
    if (loaded.unconvertible) {
        std::fprintf(stderr, "pqconv: %s: %zu characters have no SHIFT JIS form (written as the geta mark)\n", input,
                     loaded.unconvertible);
    }

    if (loaded.tableOverflow) {
        std::fprintf(stderr, "pqconv: %s: %zu characters found no free code (written as the geta mark)\n", input,
                     loaded.tableOverflow);
    }
    if (loaded.table && !loaded.table->Empty()) {
        std::fprintf(stderr, "pqconv: %s: %zu distinct characters outside code page 932 kept in a table\n", input,
                     loaded.table->Size());
    }

    bytes.clear();
    bytes.shrink_to_fit();
    TextSource source(&loaded.text);
    encoding::SavedText saved;
    encoding::DocCoding coding;
    coding.table = loaded.table.get();
    coding.mark = loaded.mark;
    coding.references = references;
    if (!encoding::PrepareSave(source, {to, lineEnd}, loaded.charCode, coding, &saved)) {
        std::fprintf(stderr, "pqconv: %s: out of memory\n", input);
        return 1;
    }
    if (saved.foreign) {
        std::fprintf(stderr, "pqconv: %s: %zu characters have no %s form; nothing written (use -r or -t utf8)\n",
                     input, saved.foreign, encoding::CharCodeName(saved.charCode));
        return 1;
    }
    if (saved.unconvertible) {
        std::fprintf(stderr, "pqconv: %s: %zu characters have no %s form (written unchanged)\n", input,
                     saved.unconvertible, encoding::CharCodeName(saved.charCode));
    }
    if (!WriteAll(output, saved.bytes)) {
        std::fprintf(stderr, "pqconv: %s: %s\n", output ? output : "standard output", std::strerror(errno));
        return 1;
    }
    return 0;
}

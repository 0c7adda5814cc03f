// Colouring throughput: a large generated HTML page and a Perl script are
// coloured line by line as the editor paints them (colour array pre-filled
// with the text colour, then the mode's colouring function), beside a plain
// byte scan of the same lines. Prints lines/s and MB/s for each.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "editor/core/CgiColorizer.h"
#include "editor/core/HtmlColorizer.h"
#include "editor/core/KeywordTable.h"

namespace {

using editor::Color;

struct Text {
    std::vector<std::string> lines;
    std::size_t bytes = 0;
    void Add(std::string line) {
        bytes += line.size() + 2;  // with its CRLF, as in the file
        lines.push_back(std::move(line));
    }
};

// The keyword files shipped with the program, found beside this source.
std::string SourceRoot() {
    std::string f = __FILE__;
    const std::size_t cut = f.rfind("tests/bench/");
    return cut == std::string::npos ? std::string("./") : f.substr(0, cut);
}

std::shared_ptr<editor::KeywordTable> Keywords(const std::string& name) {
    auto t = std::make_shared<editor::KeywordTable>();
    editor::KeywordFolder folder(SourceRoot() + "resources/");
    editor::LoadKeywordFile(folder, name, t.get());
    if (t->Empty()) std::fprintf(stderr, "warning: %s not found, colouring without keywords\n", name.c_str());
    return t;
}

Text HtmlPage(std::size_t targetBytes) {
    std::mt19937 rng(1);
    const char* words[] = {"日本語の", "テキスト", "表示", "ソース", "sample", "text", "editor", "ページ", "予約語"};
    auto sentence = [&](int n) {
        std::string s;
        for (int k = 0; k < n; ++k) s += words[rng() % 9], s += (rng() % 3 == 0) ? " " : "";
        return s;
    };
    Text t;
    t.Add("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">");
    t.Add("<html lang=\"ja\">");
    t.Add("<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">");
    t.Add("<title>" + sentence(4) + "</title></head>");
    t.Add("<body bgcolor=\"#FFFFFF\" text=\"#000000\">");
    int n = 0;
    while (t.bytes < targetBytes) {
        ++n;
        switch (rng() % 8) {
        case 0:
            t.Add("<h2 class=\"title\" id=\"sec" + std::to_string(n) + "\">" + sentence(3) + "</h2>");
            break;
        case 1:
            t.Add("<p>" + sentence(12) + " &amp; " + sentence(6) + "<br>");
            t.Add(sentence(10) + "</p>");
            break;
        case 2:
            t.Add("<table border=\"1\" cellpadding=\"2\" cellspacing=\"0\" width=\"100%\">");
            t.Add("  <tr><td align=\"center\" valign=\"top\">" + sentence(2) + "</td><td>" + sentence(3) +
                  "</td></tr>");
            t.Add("</table>");
            break;
        case 3:
            t.Add("<!-- " + sentence(5));
            t.Add("     " + sentence(7) + " -->");
            break;
        case 4:
            t.Add("<a href=\"http://www.example.co.jp/path/page" + std::to_string(n) + ".html\" target=\"_blank\">" +
                  sentence(4) + "</a>&nbsp;|&nbsp;<a href=\"#top\">TOP</a>");
            break;
        case 5:
            t.Add("<img src=\"images/pic" + std::to_string(n) + ".gif\" alt=\"" + sentence(2) +
                  "\" width=\"120\" height=\"80\" border=\"0\">");
            break;
        case 6:
            t.Add("<div class=\"item\" style=\"margin: 0 4px\"><span class=\"note\">" + sentence(5) +
                  "</span></div>");
            break;
        default:
            t.Add("<form action=\"/cgi-bin/post.cgi\" method=\"post\"><input type=\"text\" name=\"q\" size=\"20\">"
                  "<input type=\"submit\" value=\"" +
                  sentence(1) + "\"></form>");
            break;
        }
    }
    t.Add("</body>");
    t.Add("</html>");
    return t;
}

Text PerlScript(std::size_t targetBytes) {
    std::mt19937 rng(2);
    Text t;
    t.Add("#!/usr/bin/perl");
    t.Add("use strict;");
    t.Add("require 'jcode.pl';");
    int n = 0;
    while (t.bytes < targetBytes) {
        ++n;
        const std::string v = "$var" + std::to_string(n);
        switch (rng() % 7) {
        case 0:
            t.Add("sub handler" + std::to_string(n) + " {");
            t.Add("    my ($q, @list) = @_;");
            break;
        case 1:
            t.Add("    print \"Content-type: text/html\\n\\n\";  # ヘッダを出力する");
            break;
        case 2:
            t.Add("    foreach my $i (0 .. $#list) { push(@out, join(',', $list[$i], " + v + ")); }");
            break;
        case 3:
            t.Add("    open(my $fh, '<', $file) or die \"cannot open $file: $!\";");
            t.Add("    while (my $line = <$fh>) { chomp $line; next unless length $line; }");
            break;
        case 4:
            t.Add("    if (" + v + " eq 'abc' && defined $hash{key}) { return scalar(@out); }");
            break;
        case 5:
            t.Add("    # 表示用のソースを整形する (" + std::to_string(n) + ")");
            break;
        default:
            t.Add("    " + v + " =~ s/&/&amp;/g; " + v + " = sprintf(\"%05d\", lc(substr(" + v + ", 0, 8)));");
            t.Add("}");
            break;
        }
    }
    return t;
}

struct Result {
    double seconds;
    unsigned long long check;
};

// Best of a few runs of fn over every line.
Result Measure(const Text& t, const std::function<unsigned long long(const std::string&, std::vector<Color>&)>& fn) {
    std::vector<Color> colors;
    Result best{1e30, 0};
    for (int run = 0; run < 5; ++run) {
        unsigned long long check = 0;
        const auto t0 = std::chrono::steady_clock::now();
        for (const std::string& line : t.lines) {
            if (colors.size() < line.size()) colors.resize(line.size());
            check += fn(line, colors);
        }
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (s < best.seconds) best = Result{s, check};
    }
    return best;
}

void Report(const char* what, const Text& t, const Result& r) {
    std::printf("  %-34s %12.0f lines/s %9.1f MB/s   (check %llu)\n", what, t.lines.size() / r.seconds,
                t.bytes / r.seconds / 1e6, r.check);
}

}  // namespace

int main() {
    const Color kText = 0x000000;
    auto elements = Keywords("HTML element.kwd");
    auto attributes = Keywords("HTML attribute.kwd");
    auto perl = Keywords("CGI.kwd");
    const editor::HtmlColorizer html(elements, attributes, editor::HtmlColors());
    const editor::CgiColorizer cgi(perl, editor::CgiColors());

    auto byteScan = [](const std::string& line, std::vector<Color>&) {
        unsigned long long sum = 0;
        for (unsigned char c : line) sum += c;
        return sum;
    };
    auto prefill = [&](const std::string& line, std::vector<Color>& colors) {
        std::fill(colors.begin(), colors.begin() + static_cast<long>(line.size()), kText);
        return static_cast<unsigned long long>(line.empty() ? 0 : colors[line.size() / 2]);
    };

    const Text page = HtmlPage(32u << 20);
    std::printf("HTML page: %zu lines, %.1f MB\n", page.lines.size(), page.bytes / 1e6);
    Report("plain byte scan", page, Measure(page, byteScan));
    Report("colour array fill", page, Measure(page, prefill));
    int state = -1;
    Report("HTML colouring (fill + colour)", page, Measure(page, [&](const std::string& line, std::vector<Color>& c) {
               std::fill(c.begin(), c.begin() + static_cast<long>(line.size()), kText);
               state = html.ColorLine(line.data(), static_cast<int>(line.size()), state, c.data());
               return static_cast<unsigned long long>(state) + (line.empty() ? 0 : c[0]);
           }));
    state = -1;
    Report("HTML line state", page, Measure(page, [&](const std::string& line, std::vector<Color>&) {
               state = html.LineState(line.data(), static_cast<int>(line.size()), state);
               return static_cast<unsigned long long>(state);
           }));

    const Text script = PerlScript(16u << 20);
    std::printf("Perl script: %zu lines, %.1f MB\n", script.lines.size(), script.bytes / 1e6);
    Report("plain byte scan", script, Measure(script, byteScan));
    Report("CGI colouring (fill + colour)", script, Measure(script, [&](const std::string& line, std::vector<Color>& c) {
               std::fill(c.begin(), c.begin() + static_cast<long>(line.size()), kText);
               cgi.ColorLine(line.data(), static_cast<int>(line.size()), 0, c.data());
               return static_cast<unsigned long long>(line.empty() ? 0 : c[0]);
           }));
    return 0;
}

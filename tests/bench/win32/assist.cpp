// Input assist with the shipped assist files, median of 50 runs:
//   1. from the command to the list shown with its first entry selected, for
//      the largest shipped section: our reader, and beside it the system's
//      GetPrivateProfileStringA for each key the entries need;
//   2. Shift+Space in a document of 1 000 000 lines without "<" or ">" (the
//      longest upward scan), from the command to the space typed.
// Prints figures; asserts nothing. Usage: bench_win32_assist ASSIST-FOLDER
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "editor/core/InputAssist.h"
#include "editor/win/AssistList.h"
#include "editor/win/CanvasEdit.h"
#include "framework/win/File.h"

namespace {

double Now() {
    LARGE_INTEGER f, t;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

void Pump() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::string Read(const std::string& path) {
    CFile f;
    std::string bytes;
    if (f.Open(path, CFile::modeRead | CFile::shareDenyNone)) f.ReadAll(&bytes);
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : "Assist";
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "PqAssistBench";
    ::RegisterClassExA(&wc);
    HWND parent = ::CreateWindowExA(0, "PqAssistBench", "", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
                                    wc.hInstance, nullptr);
    CCanvasEdit edit;
    RECT rc = {0, 0, 800, 600};
    edit.Create(parent, CCanvasEdit::kControlId, &rc);
    ::SetFocus(edit.m_hWnd);

    // The largest section of the shipped files.
    std::string bestFile, bestSection;
    std::size_t most = 0;
    for (const char* name : {"HTML.ast", "CGI.ast", "HTML element.ast", "HTML attribute.ast"}) {
        const editor::assist::ProfileText p(Read(folder + "\\" + name));
        for (const std::string& s : p.Sections()) {
            const std::size_t n = p.Entries(s).size();
            if (n > most) most = n, bestFile = name, bestSection = s;
        }
    }
    std::printf("largest section: [%s] of %s, %u entries\n", bestSection.c_str(), bestFile.c_str(),
                static_cast<unsigned>(most));
    const std::string path = folder + "\\" + bestFile;
    const editor::assist::Kind kind = bestFile == "HTML element.ast" ? editor::assist::Kind::Attribute
                                      : bestFile == "HTML attribute.ast" ? editor::assist::Kind::Value
                                                                         : editor::assist::Kind::Input;
    std::vector<double> ours, painted, system, reader;
    for (int run = 0; run < 50; ++run) {
        const double t0 = Now();
        const editor::assist::ProfileText p(Read(path));
        const std::size_t n = p.Entries(bestSection).size();
        reader.push_back(Now() - t0);
        if (n != most) std::printf("run %d: %u entries\n", run, static_cast<unsigned>(n));
    }
    std::printf("file read and section parsed:         median %.2f ms\n", Median(reader));
    for (int run = 0; run < 50; ++run) {
        const double t0 = Now();
        CAssistList::Show(edit, kind, path, bestSection, nullptr);
        HWND list = CAssistList::Find(edit.m_hWnd);
        const bool selected = list && ::SendMessageA(list, 0x100C /*LVM_GETNEXTITEM*/, static_cast<WPARAM>(-1), 2) == 0;
        ours.push_back(Now() - t0);
        // And until the list has drawn itself.
        if (list) ::UpdateWindow(list);
        painted.push_back(Now() - t0);
        if (!selected) std::printf("run %d: no list\n", run);
        ::SetFocus(edit.m_hWnd);
        Pump();

        const double t1 = Now();
        char buf[256];
        for (int n = 0;; ++n) {
            const std::string num = std::to_string(n);
            if (!::GetPrivateProfileStringA(bestSection.c_str(), ("Image" + num).c_str(), "", buf, sizeof buf,
                                            path.c_str()))
                break;
            ::GetPrivateProfileStringA(bestSection.c_str(), ("Word" + num).c_str(), "", buf, 64, path.c_str());
            if (!buf[0]) break;
            ::GetPrivateProfileStringA(bestSection.c_str(), ("Comment" + num).c_str(), "", buf, 128, path.c_str());
        }
        system.push_back(Now() - t1);
    }
    std::printf("list shown, our reader:              median %.2f ms (first %.2f ms)\n", Median(ours), ours[0]);
    std::printf("list shown and drawn, our reader:    median %.2f ms (first %.2f ms)\n", Median(painted), painted[0]);
    std::printf("keys read with GetPrivateProfileStringA: median %.2f ms (reading only)\n", Median(system));

    std::string text;
    text.reserve(12000000);
    for (int i = 0; i < 1000000; ++i) text += "some text \r\n";
    edit.Ops().SetText(text);
    std::vector<double> space, scan, spaceDrawn;
    for (int run = 0; run < 50; ++run) {
        edit.Ops().SetSelectionOffsets(static_cast<long long>(text.size()) - 2, static_cast<long long>(text.size()) - 2);
        const double t0 = Now();
        const bool none = editor::assist::SectionFor(editor::assist::Kind::Attribute, edit.Ops()).empty();
        scan.push_back(Now() - t0);
        if (none) ::SendMessageA(edit.m_hWnd, WM_CHAR, ' ', 0);
        space.push_back(Now() - t0);
        ::UpdateWindow(edit.m_hWnd);
        spaceDrawn.push_back(Now() - t0);
        edit.Ops().Undo();
    }
    std::printf("Shift+Space, 1 000 000 lines above:   median %.2f ms (the upward scan %.2f ms)\n", Median(space),
                Median(scan));
    std::printf("Shift+Space, and the line drawn:      median %.2f ms\n", Median(spaceDrawn));
    edit.DestroyWindow();
    ::DestroyWindow(parent);
    return 0;
}

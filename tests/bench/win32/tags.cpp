// The registered tag store at its largest (100 files of 100 simple tags with
// 500-byte Begin and End) against the sample store, in the registry as the
// program keeps it: load and tree build (pane creation), save at exit,
// export and import. Prints figures; asserts nothing. Run under the test
// bed: bench_win32_tags
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/core/SettingsStore.h"
#include "config/win/CommandManager.h"
#include "config/win/RegistrySettings.h"
#include "framework/win/MessageBox.h"
#include "tags/win/RegistTagTree.h"

namespace {

const char kRoot[] = "Software\\Tavenor\\PembroquilTagBench";

double Now() {
    LARGE_INTEGER f, t;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

struct Host : tagswin::ITagPaneHost {
    HWND frame = nullptr;
    CommandManager commands;
    CCanvasEdit* ActiveEditor() override { return nullptr; }
    HWND FrameWindow() override { return frame; }
    CommandManager* KeyCommands() override { return &commands; }
    void ShowPrompt(const std::string&) override {}
    void OpenKeySettings() override {}
    void FocusDocument() override {}
};

struct SilentBoxes : IMessageBoxService {
    int Show(HWND, const std::string&, const std::string&, UINT) override { return IDOK; }
};

void Measure(const char* what, int files, HWND parent, settings::SettingsStore& store) {
    const bool full = files > 0;
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
    if (full) {
        tags::TagKinds kinds;
        tags::TagStore big(kinds);
        for (int f = 0; f < files; ++f) {
            big.AddFile("ファイル" + std::to_string(f));
            for (int t = 0; t < tags::kMaxTags; ++t) {
                big.AddTag(f, tags::kSimpleKind);
                auto& r = static_cast<tags::SimpleTagData&>(*big.Files()[static_cast<std::size_t>(f)].tags.back().record);
                tags::SetField(r.Begin, std::string(500, 'b'));
                tags::SetField(r.End, std::string(500, 'e'));
            }
        }
        big.Save(store);
    }
    Host host;
    host.frame = parent;
    host.commands.BuildMenus();
    double t0 = Now();
    tagswin::CRegistTagTree pane;
    pane.Create(parent, &host);
    const double load = Now() - t0;
    std::printf("  %s: pane made in %.1f ms\n", what, load * 1e3);
    std::fflush(stdout);
    t0 = Now();
    pane.SaveStore();
    const double save = Now() - t0;
    char temp[MAX_PATH];
    ::GetTempPathA(sizeof temp, temp);
    const std::string path = std::string(temp) + "pqtagbench.pqt";
    t0 = Now();
    pane.ExportTo(path);
    const double exportTime = Now() - t0;
    // Import into an empty store, so every file is taken.
    while (!pane.Store().Files().empty()) pane.Store().RemoveFile(0);
    pane.RefreshLabels();
    t0 = Now();
    pane.ImportFrom(path);
    const double importTime = Now() - t0;
    std::printf("%-8s files %3zu: load+tree %7.1f ms, save %7.1f ms, export %7.1f ms, import+tree %7.1f ms\n", what,
                pane.Store().Files().size(), load * 1e3, save * 1e3, exportTime * 1e3, importTime * 1e3);
    pane.DestroyWindow();
    ::DeleteFileA(path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    // The number of full files of the large store (100 unless given).
    const int files = argc > 1 ? std::atoi(argv[1]) : tags::kMaxFiles;
    SilentBoxes boxes;
    SetMessageBoxService(&boxes);
    HWND parent = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 600, nullptr, nullptr,
                                    ::GetModuleHandleA(nullptr), nullptr);
    CRegistrySettings backend(kRoot);
    settings::SettingsStore store(backend);
    settings::SetCurrent(&store);
    Measure("samples", 0, parent, store);
    Measure("full", files < 1 || files > tags::kMaxFiles ? tags::kMaxFiles : files, parent, store);
    settings::SetCurrent(nullptr);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
    ::DestroyWindow(parent);
    return 0;
}

// The folder tree expanding folders of 10 000 and 20 000 files, half of
// them shown by the filter, beside a plain tree view filled with the same
// names from FindFirstFile; then ten collapse and expand cycles, with the
// heap and the window and graphics object counts before and after.
// Prints figures; asserts nothing. Usage: bench_win32_foldertree [FOLDER]
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "config/core/SettingsStore.h"
#include "filetree/win/FolderTreeCtrl.h"
#include "framework/core/PathUtil.h"

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

// Bytes in use in the process heap.
SIZE_T HeapInUse() {
    SIZE_T used = 0;
    PROCESS_HEAP_ENTRY e = {};
    HANDLE heap = ::GetProcessHeap();
    ::HeapLock(heap);
    while (::HeapWalk(heap, &e))
        if (e.wFlags & PROCESS_HEAP_ENTRY_BUSY) used += e.cbData;
    ::HeapUnlock(heap);
    return used;
}

// A folder of `count` files, every other one shown by the default filter.
std::string MakeFolder(const std::string& root, int count) {
    const std::string dir = root + "files" + std::to_string(count) + "\\";
    ::CreateDirectoryA(dir.c_str(), nullptr);
    for (int i = 0; i < count; ++i) {
        const std::string path = dir + "f" + std::to_string(i) + (i % 2 ? ".html" : ".dat");
        HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
    }
    return dir;
}

// A plain tree view filled with the folder's shown names.
double PlainTree(HWND parent, const std::string& dir) {
    HWND tree = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES, 0, 0,
                                  400, 600, parent, nullptr, nullptr, nullptr);
    const double t0 = Now();
    ::SendMessageA(tree, WM_SETREDRAW, FALSE, 0);
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((dir + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = data.cFileName;
            if (name.size() < 5 || name.compare(name.size() - 5, 5, ".html") != 0) continue;
            TVINSERTSTRUCTA ins = {};
            ins.hParent = TVI_ROOT;
            ins.hInsertAfter = TVI_LAST;
            ins.item.mask = TVIF_TEXT;
            ins.item.pszText = data.cFileName;
            TreeView_InsertItem(tree, &ins);
        } while (::FindNextFileA(find, &data));
        ::FindClose(find);
    }
    TreeView_SortChildren(tree, TVI_ROOT, FALSE);
    ::SendMessageA(tree, WM_SETREDRAW, TRUE, 0);
    Pump();
    const double ms = Now() - t0;
    ::DestroyWindow(tree);
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    ::OleInitialize(nullptr);
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string root = argc > 1 ? pathutil::WithTrailingSeparator(argv[1]) : pathutil::Join(temp, "pq_treebench\\");
    ::CreateDirectoryA(root.c_str(), nullptr);

    settings::MemorySettingsBackend backend;
    settings::SettingsStore store(backend);
    settings::SetCurrent(&store);
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "PqTreeBench";
    ::RegisterClassExA(&wc);
    HWND parent = ::CreateWindowExA(0, "PqTreeBench", "", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
                                    wc.hInstance, nullptr);
    filetree::CFolderTreeCtrl tree;
    tree.CreatePane(parent, nullptr);
    tree.MoveWindow(0, 0, 400, 600);

    double expanded[2] = {};
    const int counts[2] = {10000, 20000};
    std::printf("%-8s %12s %12s %10s\n", "files", "tree ms", "plain ms", "ratio");
    for (int k = 0; k < 2; ++k) {
        const std::string dir = MakeFolder(root, counts[k]);
        HTREEITEM item = tree.GoToFolder(root);
        HTREEITEM sub = nullptr;
        for (HTREEITEM c = TreeView_GetChild(tree.Tree(), item); c; c = TreeView_GetNextSibling(tree.Tree(), c))
            if (pathutil::EqualNoCase(pathutil::WithTrailingSeparator(tree.ItemPath(c)), dir)) sub = c;
        if (!sub) {
            std::printf("folder %s not in the tree\n", dir.c_str());
            return 1;
        }
        const double t0 = Now();
        TreeView_Expand(tree.Tree(), sub, TVE_EXPAND);
        Pump();
        expanded[k] = Now() - t0;
        const double plain = PlainTree(parent, dir);
        std::printf("%-8d %12.0f %12.0f %9.1fx  (%u items shown)\n", counts[k], expanded[k], plain, expanded[k] / plain,
                    static_cast<unsigned>(TreeView_GetCount(tree.Tree())));
        if (k == 0) {
            // Ten cycles on the 10 000 files: what they leave behind.
            tree.Collapse(sub);
            Pump();
            const SIZE_T heap0 = HeapInUse();
            const DWORD user0 = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
            const DWORD gdi0 = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
            for (int i = 0; i < 10; ++i) {
                TreeView_Expand(tree.Tree(), sub, TVE_EXPAND);
                tree.Collapse(sub);
                Pump();
            }
            std::printf("10 cycles: heap %lu -> %lu bytes, user objects %lu -> %lu, gdi objects %lu -> %lu\n",
                        static_cast<unsigned long>(heap0), static_cast<unsigned long>(HeapInUse()),
                        static_cast<unsigned long>(user0),
                        static_cast<unsigned long>(::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS)),
                        static_cast<unsigned long>(gdi0),
                        static_cast<unsigned long>(::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS)));
        }
        tree.Collapse(sub);
    }
    std::printf("20 000 / 10 000: %.2fx\n", expanded[1] / expanded[0]);
    tree.DestroyWindow();
    ::DestroyWindow(parent);
    settings::SetCurrent(nullptr);
    ::OleUninitialize();
    return 0;
}

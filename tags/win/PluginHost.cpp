#include "tags/win/PluginHost.h"

#include "framework/core/Sjis.h"
#include "framework/win/MessageBox.h"
#include "framework/win/WinPath.h"
#include "framework/win/Wnd.h"
#include "tags/core/TagKinds.h"

namespace tagswin {

namespace {

using RunEntry = int(__cdecl*)(HWND, HWND, int);
using EndEntry = int(__cdecl*)();

template <typename T>
T Entry(void* module, const char* name) {
    return reinterpret_cast<T>(reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(module), name)));
}

// The relative name with every "/" made "\", character by character.
std::string WithBackslashes(const std::string& file) {
    std::string out;
    for (std::size_t i = 0; i < file.size();) {
        const std::size_t next = sjis::Next(file.data(), file.size(), i);
        if (next == i + 1 && file[i] == '/') out += '\\'; else out.append(file, i, next - i);
        i = next;
    }
    return out;
}

}  // namespace

std::string PluginFolder() { return ProgramFolder() + "Plugins\\"; }

PluginRun RunPlugin(tags::PluginTagData& record, HWND frame, HWND editor) {
    if (!record.Module && tags::IsPluginFileNameAllowed(record.File)) {
        // The module's own libraries are found beside it.
        const std::string path = PluginFolder() + WithBackslashes(record.File);
        record.Module = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    }
    if (!record.Module) {
        PqErrorBox(frame, tags::PluginNotFoundMessage(record.File));
        return PluginRun::NotFound;
    }
    const RunEntry run = Entry<RunEntry>(record.Module, "PembroquilPluginExecute");
    if (!run) return PluginRun::NoEntry;
    if (!editor) return PluginRun::NoEditor;
    run(frame, editor, 0);
    return PluginRun::Ran;
}

void ReleasePlugin(tags::PluginTagData& record) {
    if (!record.Module) return;
    if (const EndEntry end = Entry<EndEntry>(record.Module, "PembroquilPluginConclusion")) end();
    ::FreeLibrary(static_cast<HMODULE>(record.Module));
    record.Module = nullptr;
}

bool CPluginDialogKeys::PreTranslate(MSG* msg) {
    if (!msg->hwnd || msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return false;
    HWND root = ::GetAncestor(msg->hwnd, GA_ROOT);
    if (!root || CWnd::FromHandle(root)) return false;  // the program's own windows
    char cls[16] = {};
    ::GetClassNameA(root, cls, sizeof cls);
    if (std::string(cls) != "#32770") return false;
    if (::GetWindowThreadProcessId(root, nullptr) != ::GetCurrentThreadId()) return false;
    return ::IsDialogMessageA(root, msg) != FALSE;
}

}  // namespace tagswin

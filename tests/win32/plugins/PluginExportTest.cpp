// The delivered plug-ins load from the installed Plugins folder and export
// their entries by the exact names, with the C calling convention.
#include <gtest/gtest.h>

#include <string>

#include "framework/win/WinPath.h"

namespace {

using RunEntry = int(__cdecl*)(HWND, HWND, int);
using EndEntry = int(__cdecl*)();

std::string PluginPath(const char* name) { return ProgramFolder() + "..\\out\\Plugins\\" + name; }

TEST(PluginExportTest, ColorExportsRunAndEnd) {
    HMODULE m = ::LoadLibraryA(PluginPath("Color.pqi").c_str());
    ASSERT_NE(m, nullptr);
    auto run = reinterpret_cast<RunEntry>(reinterpret_cast<void*>(::GetProcAddress(m, "PembroquilPluginExecute")));
    auto end = reinterpret_cast<EndEntry>(reinterpret_cast<void*>(::GetProcAddress(m, "PembroquilPluginConclusion")));
    ASSERT_NE(run, nullptr);
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(::GetProcAddress(m, "_PembroquilPluginExecute"), nullptr);
    EXPECT_EQ(end(), 0);  // no window to close
    ::FreeLibrary(m);
}

TEST(PluginExportTest, GradationExportsRunOnly) {
    HMODULE m = ::LoadLibraryA(PluginPath("Gradation.pqi").c_str());
    ASSERT_NE(m, nullptr);
    EXPECT_NE(::GetProcAddress(m, "PembroquilPluginExecute"), nullptr);
    EXPECT_EQ(::GetProcAddress(m, "PembroquilPluginConclusion"), nullptr);
    ::FreeLibrary(m);
}

}  // namespace

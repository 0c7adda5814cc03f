#include "editor/core/EditorMemory.h"

#include <cstdlib>

namespace editor {

namespace {
long g_allocationsLeft = -1;

bool Fails() {
    if (g_allocationsLeft < 0) return false;
    if (g_allocationsLeft == 0) return true;
    --g_allocationsLeft;
    return false;
}
}  // namespace

void* Allocate(std::size_t size) {
    if (Fails()) return nullptr;
    return std::malloc(size ? size : 1);
}

void* Reallocate(void* block, std::size_t size) {
    if (Fails()) return nullptr;
    return std::realloc(block, size ? size : 1);
}

void Release(void* block) { std::free(block); }

void FailAllocationsAfter(long count) { g_allocationsLeft = count; }

}  // namespace editor

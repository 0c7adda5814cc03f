// Heap blocks of the editor's text: line blocks, shared blocks and the bytes
// of undo records. Every allocation of text goes through these three calls, so
// a failure is a return value (never an exception) and tests can make the
// n-th allocation fail to check that nothing is lost when memory runs out.
#pragma once

#include <cstddef>

namespace editor {

// malloc / realloc / free with the failure hook below. A null result means
// out of memory; Reallocate then leaves the old block as it was.
void* Allocate(std::size_t size);
void* Reallocate(void* block, std::size_t size);
void Release(void* block);

// Test hook: after `count` more successful allocations, every Allocate and
// every Reallocate fails. A negative count switches failures off.
void FailAllocationsAfter(long count);

// Owner of one block from Allocate.
struct BlockDeleter {
    void operator()(char* p) const { Release(p); }
};

}  // namespace editor

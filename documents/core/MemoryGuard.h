// Runs a step that allocates and turns running out of memory (or a size the
// library cannot hold) into a false result, so no exception leaves the
// encoding functions.
#pragma once

#include <new>
#include <stdexcept>

namespace encoding {

template <typename Step>
bool WithinMemory(Step step) {
    try {
        return step();
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
}

}  // namespace encoding

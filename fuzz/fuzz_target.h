#pragma once
// Every fuzz target defines the libFuzzer entry point; the same file also builds, with
// replay_main.cpp, into a plain program that CTest runs over the target's corpus and every
// crash file ever found, so a fixed fault stays fixed.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// A property that must hold for every input; a failure aborts, which the fuzzer reports as a crash.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);                     \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

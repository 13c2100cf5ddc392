#pragma once

#include <cstdio>
#include <cstdlib>

// An invariant that must hold for every input. A violation aborts, so libFuzzer
// keeps the input as a crash and the message says which rule broke.
#define FUZZ_CHECK(condition)                                                             \
    do {                                                                                  \
        if (!(condition)) {                                                               \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__,    \
                         #condition);                                                     \
            std::abort();                                                                 \
        }                                                                                 \
    } while (false)

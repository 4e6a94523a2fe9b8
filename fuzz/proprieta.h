// SPDX-License-Identifier: MIT
#pragma once

#include <cstdio>
#include <cstdlib>

// A property every input must keep. A broken one aborts, which libFuzzer
// reports as a crash and saves the input that caused it.
#define PROPRIETA(condizione)                                                                  \
    do {                                                                                       \
        if (!(condizione)) {                                                                   \
            std::fprintf(stderr, "%s:%d: proprietà violata: %s\n", __FILE__, __LINE__, #condizione); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)

#pragma once
// A promise the code must keep for every input. Not inlined, so that a crash report
// names the line of the promise that was broken.

#include <cstdlib>

[[gnu::noinline]] inline void require(bool holds) {
    if (!holds) std::abort();
}

// Whether this build uses the vector instructions of x86-64: SSE2, which every x86-64 machine
// has, and AVX2 where the machine has it. Every other architecture, and an x86-64 build made
// with DUSK_PORTABLE (see CMakeLists.txt), takes the portable paths, which give the same
// results.
#pragma once

#if defined(__x86_64__) && !defined(DUSK_PORTABLE)
#define DUSK_X86_VECTORS 1
#else
#define DUSK_X86_VECTORS 0
#endif

// What every reader's fuzz program shares: a scratch folder that is the working directory,
// the input written there as a file for the reader to open by name, message boxes recorded
// quietly, and the program's exit caught so that a reader that ends the game ends only the
// input being tried.
#pragma once
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bindings/handlers_install.h"
#include "platform/backend.h"
#include "platform/exit.h"
#include "platform/message_box.h"

namespace fuzz {

// Thrown by the exit hook: the reader asked to end the program.
struct ExitRequested {
    int status;
};

// Once per program, from LLVMFuzzerInitialize: headless, quiet boxes, the exit hook and the
// calls the lower floors make upward handed over. The
// input and corpus paths are made absolute, so that relative ones still name the same files
// once the scratch folder is the working directory.
inline void Start(int* argc, char*** argv) {
    static std::vector<std::string> absolute(*argc);
    for (int i = 1; i < *argc; ++i) {
        char*& arg = (*argv)[i];
        if (arg[0] != '-' && arg[0] != '/') {
            absolute[i] = std::filesystem::absolute(arg).string();
            arg = absolute[i].data();
        }
    }
    InstallHandlers();
    platform::SetHeadless(true);
    platform::SetBoxEcho(false);
    platform::SetExitHook([](int status) { throw ExitRequested{status}; });
}

// A fresh folder, made the working directory at the first input (not before: a merge runs the
// program again by the name it was started with) and removed when the program ends.
inline void EnterScratchFolder() {
    static char folder[] = "/tmp/dusk_fuzz_XXXXXX";
    static const bool made = [] {
        if (!mkdtemp(folder)) {
            std::perror("mkdtemp");
            std::abort();
        }
        std::filesystem::current_path(folder);
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(folder, ignored);
        });
        return true;
    }();
    (void)made;
}

// Writes bytes into a file of the scratch folder.
inline void WriteFile(const std::string& name, const uint8_t* data, size_t size) {
    EnterScratchFolder();
    FILE* f = std::fopen(name.c_str(), "wb");
    if (!f) {
        std::perror(name.c_str());
        std::abort();
    }
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
}

// Runs one read; an exit the reader asks for ends only this input. Boxes are dropped after.
template <class Read>
void Run(Read read) {
    try {
        read();
    } catch (const ExitRequested&) {
    }
    platform::ClearRecordedBoxes();
}

}  // namespace fuzz

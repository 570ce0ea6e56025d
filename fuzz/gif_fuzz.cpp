// GIF pictures made into textures the way ".gif" texture names are loaded.
#include "anim/gif_decoder.h"
#include "fuzz_harness.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteFile("fuzz.gif", data, size);
    fuzz::Run([] {
        if (platform::RmTexture* texture = LoadGifTexture("fuzz.gif")) texture->Release();
    });
    return 0;
}

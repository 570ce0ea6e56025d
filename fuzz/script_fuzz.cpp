// Script files through the script loader, into a fresh engine for each input.
#include "fuzz_harness.h"
#include "script/events.h"
#include "script/loader.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::WriteFile("fuzz.scp", data, size);
    fuzz::Run([] {
        InitScriptEngine();
        LoadScriptFile("fuzz.scp");
    });
    return 0;
}

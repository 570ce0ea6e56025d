// Planner map files read into a robot's grid (which also writes the "Blank Map" dump).
#include "fuzz_harness.h"
#include "planner/plan_map.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteFile("fuzz.map", data, size);
    fuzz::Run([] {
        PlanGrid grid;
        ReadPlanMap("fuzz.map", grid);
    });
    return 0;
}

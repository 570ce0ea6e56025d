// ParseIt files read as the planner's configuration: parsed whole, then every setting fetched.
#include "fuzz_harness.h"
#include "planner/plan_config.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::Start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteFile("fuzz.cfg", data, size);
    fuzz::Run([] {
        PlannerConfig config;
        ReadPlanConfig("fuzz.cfg", config);
    });
    return 0;
}

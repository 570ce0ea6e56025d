#include "platform/faults.h"

#include <map>

namespace platform {
namespace {

struct Fault {
    int32_t result;
    int remaining;  // < 0: unlimited
    int waiting;    // calls that go ahead first
};

std::map<std::string, Fault>& Faults() {
    static std::map<std::string, Fault> faults;
    return faults;
}

}  // namespace

void InjectFault(const std::string& call, int32_t result, int times, int after) {
    if (times == 0) {
        Faults().erase(call);
        return;
    }
    Faults()[call] = Fault{result, times, after > 0 ? after : 0};
}

void ClearFaults() { Faults().clear(); }

int32_t TakeFault(const char* call) {
    auto& faults = Faults();
    if (faults.empty()) return 0;
    auto it = faults.find(call);
    if (it == faults.end()) return 0;
    if (it->second.waiting > 0) {
        --it->second.waiting;
        return 0;
    }
    int32_t result = it->second.result;
    if (it->second.remaining > 0 && --it->second.remaining == 0) faults.erase(it);
    return result;
}

}  // namespace platform

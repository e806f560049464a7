// The libFuzzer entry of one fuzzer; POLITY_FUZZ_TARGET names its entry.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::Entry entry = fuzz::FindTarget(POLITY_FUZZ_TARGET);
    entry(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}

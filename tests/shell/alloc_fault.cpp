// A replacement of the nothrow operator new that fails on request.
#include <cstddef>
#include <new>

#include "tests/shell/shell_support.h"

namespace {
bool armed = false;
int failAt = 0;
int count = 0;
constexpr int MaxRecorded = 256;
size_t sizes[MaxRecorded];
}  // namespace

namespace allocfault {
void Arm(int n) {
    failAt = n;
    count = 0;
    armed = true;
}
void Disarm() {
    armed = false;
}
std::vector<size_t> Sizes() {
    return std::vector<size_t>(sizes, sizes + (count < MaxRecorded ? count : MaxRecorded));
}
}  // namespace allocfault

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (armed) {
        if (count < MaxRecorded) {
            sizes[count] = size;
        }
        ++count;
        if (count == failAt) {
            return nullptr;
        }
    }
    try {
        return ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}

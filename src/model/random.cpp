#include "model/random.h"

#include <random>

namespace {

uint32_t DefaultRandom(void*) {
    static std::mt19937 engine{std::random_device{}()};
    return static_cast<uint32_t>(engine());
}

RandomFunction installed = DefaultRandom;
void* installedContext = nullptr;

}  // namespace

uint32_t Random() { return installed(installedContext); }

void SetRandomSource(RandomFunction function, void* context) {
    installed = function ? function : DefaultRandom;
    installedContext = function ? context : nullptr;
}

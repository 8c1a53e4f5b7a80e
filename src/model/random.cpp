#include "model/random.h"

#include <random>

namespace {

std::mt19937& DefaultEngine() {
    static std::mt19937 engine{std::random_device{}()};
    return engine;
}

uint32_t DefaultRandom(void*) {
    return static_cast<uint32_t>(DefaultEngine()());
}

RandomFunction installed = DefaultRandom;
void* installedContext = nullptr;

}  // namespace

uint32_t Random() {
    return installed(installedContext);
}

void SeedRandom(uint32_t seed) {
    DefaultEngine().seed(seed);
}

void SetRandomSource(RandomFunction function, void* context) {
    installed = function ? function : DefaultRandom;
    installedContext = function ? context : nullptr;
}

// The game's source of random 32-bit values. By default a std::mt19937 seeded from the operating
// system; the generator-check tool and the tests install a source of their own.
#pragma once

#include <cstdint>

using RandomFunction = uint32_t (*)(void* context);

// One draw from the installed source.
uint32_t Random();

// Seeds the default source (the platform's seed at start-up).
void SeedRandom(uint32_t seed);

// Installs a source; a null function puts the default source back.
void SetRandomSource(RandomFunction function, void* context);

#include "RandomInt.h"

#include <chrono>
#include <random>

namespace {

std::mt19937 &generator()
{
    static std::mt19937 engine{std::random_device{}()};
    return engine;
}

} // namespace

int RandomInt(int n)
{
    if (n <= 0)
        return 0;
    // uniform_int_distribution rejects out-of-range draws, so every k is equally likely.
    std::uniform_int_distribution<int> distribution(0, n - 1);
    return distribution(generator());
}

void ReseedRandom()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    generator().seed(static_cast<std::mt19937::result_type>(now ^ (now >> 32)));
}

void SeedRandom(unsigned int seed)
{
    generator().seed(seed);
}

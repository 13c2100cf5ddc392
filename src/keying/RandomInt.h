#pragma once

// Uniform pseudo-random integer 0 <= k < n from the process-wide generator;
// 0 when n <= 0.
int RandomInt(int n);

// Seeds the process-wide generator from the clock.
void ReseedRandom();

// Seeds it with a fixed value, for reproducible output.
void SeedRandom(unsigned int seed);

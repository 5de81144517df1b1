// The game's one pseudo-random source: a linear congruential generator.
#pragma once

#include <cstdint>

class RandomSource {
  public:
    // Seeding stores the seed as the state.
    void Seed(uint32_t seed) { state_ = seed; }
    // state <- state * 1103515245 + 12345 (mod 2^32); the result is bits 16..30, 0..32767.
    uint16_t Next() {
        state_ = state_ * 1103515245u + 12345u;
        return static_cast<uint16_t>((state_ >> 16) & 32767u);
    }
    uint32_t State() const { return state_; }

  private:
    uint32_t state_ = 0;
};

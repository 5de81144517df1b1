// A random player for long unattended games: mostly ticks, held and released keys (the game's
// eight and now and then any code 0..255), a paint now and then, a new game at random moments and
// always soon after a game has ended. Deterministic for a seed; allocates nothing.
#pragma once

#include <cstdint>

enum class PlayerEvent : uint8_t { Tick, KeyDown, KeyUp, Easy, Hard, Paint };

struct PlayerAction {
    PlayerEvent event;
    uint8_t key;  // for KeyDown and KeyUp
};

class RandomPlayer {
  public:
    explicit RandomPlayer(uint64_t seed) : state_(seed) {}

    // The next thing the player does; timerRunning tells whether ticks arrive at all.
    PlayerAction Next(bool timerRunning) {
        if (!timerRunning) {
            // Ready or finished: start a game after a short while, keys in between.
            const uint32_t roll = Below(16);
            if (roll == 0) {
                return {PlayerEvent::Easy, 0};
            }
            if (roll == 1) {
                return {PlayerEvent::Hard, 0};
            }
            return Key();
        }
        const uint32_t roll = Below(100000);
        if (roll < 3) {
            return {roll == 0 ? PlayerEvent::Hard : PlayerEvent::Easy, 0};
        }
        if (roll < 200) {
            return {PlayerEvent::Paint, 0};
        }
        if (roll < 14000) {
            return Key();
        }
        return {PlayerEvent::Tick, 0};
    }

    uint32_t Below(uint32_t bound) { return static_cast<uint32_t>(NextWord() % bound); }

    static constexpr uint8_t GameKeys[8] = {0x41, 0x64, 0x44, 0x53, 0x66, 0x58, 0x5A, 0x62};

  private:
    PlayerAction Key() {
        const uint8_t key = Below(8) == 0 ? static_cast<uint8_t>(Below(256)) : GameKeys[Below(8)];
        // Releases a little more often than presses, so that keys are held for stretches but
        // not for ever.
        return {Below(9) < 4 ? PlayerEvent::KeyDown : PlayerEvent::KeyUp, key};
    }

    // splitmix64
    uint64_t NextWord() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    uint64_t state_;
};

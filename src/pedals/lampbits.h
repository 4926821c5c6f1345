#pragma once

#include <cstdint>

// The lamp values of the pedal box's output: 1 pedal 1, 2 pedal 2, 4 tempo, 8
// interface on. A lamp value is added only when it is absent and removed only when
// it is present, so a flash cut short, a repeated start or an overlapping beat can
// never push the output out of 0..15 or light the wrong lamp.
namespace LampBits {

inline constexpr std::int16_t kPedal1 = 1;
inline constexpr std::int16_t kPedal2 = 2;
inline constexpr std::int16_t kTempo = 4;
inline constexpr std::int16_t kInterfaceOn = 8;

inline bool has(std::int16_t value, std::int16_t lamp) {
    return (value & lamp) != 0;
}

inline void add(std::int16_t& value, std::int16_t lamp) {
    if (!has(value, lamp)) {
        value = std::int16_t(value + lamp);
    }
}

inline void remove(std::int16_t& value, std::int16_t lamp) {
    if (has(value, lamp)) {
        value = std::int16_t(value - lamp);
    }
}

}  // namespace LampBits

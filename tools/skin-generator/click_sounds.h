#pragma once
// The two click sounds, synthesised: 16-bit mono PCM WAV files.

#include <cstdint>
#include <vector>

namespace lv::skingen {

// "Click1.wav": the softer, lower click of the area buttons.
std::vector<std::uint8_t> AreaClickWav();
// "Click2.wav": the short tick of every other button.
std::vector<std::uint8_t> ButtonClickWav();

}  // namespace lv::skingen

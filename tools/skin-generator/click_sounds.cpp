#include "click_sounds.h"

#include "common/little_endian.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace lv::skingen {
namespace {

constexpr int kSampleRate = 44100;

struct Tone {
    double frequency;  // Hz
    double decay;      // per second
    double level;
};

// A few milliseconds of decaying tones over a burst of shaped noise, faded in and out.
std::vector<std::int16_t> Click(double seconds, std::initializer_list<Tone> tones, double noiseLevel, double noiseDecay)
{
    const int count = int(seconds * kSampleRate);
    std::vector<std::int16_t> samples(std::size_t(count), 0);
    std::uint32_t seed = 0x2545F491;
    double lowPass = 0;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / kSampleRate;
        double v = 0;
        for (const Tone& tone : tones)
            v += tone.level * std::exp(-tone.decay * t) * std::sin(2 * std::numbers::pi * tone.frequency * t);
        seed = seed * 1664525u + 1013904223u;
        const double white = double(seed >> 8) / double(1u << 24) * 2 - 1;
        lowPass += 0.35 * (white - lowPass);
        v += noiseLevel * std::exp(-noiseDecay * t) * lowPass;
        const double fadeIn = std::min(1.0, t / 0.0006);
        const double fadeOut = std::min(1.0, (seconds - t) / 0.004);
        samples[std::size_t(i)] = std::int16_t(std::lround(std::clamp(v * fadeIn * fadeOut, -1.0, 1.0) * 32767 * 0.8));
    }
    return samples;
}

std::vector<std::uint8_t> Wav(const std::vector<std::int16_t>& samples)
{
    const std::uint32_t dataBytes = std::uint32_t(samples.size() * 2);
    std::vector<std::uint8_t> out(44 + dataBytes);
    std::uint8_t* p = out.data();
    std::copy_n("RIFF", 4, p);
    StoreLE32(p + 4, 36 + dataBytes);
    std::copy_n("WAVEfmt ", 8, p + 8);
    StoreLE32(p + 16, 16);
    StoreLE16(p + 20, 1);  // PCM
    StoreLE16(p + 22, 1);  // mono
    StoreLE32(p + 24, kSampleRate);
    StoreLE32(p + 28, kSampleRate * 2);
    StoreLE16(p + 32, 2);
    StoreLE16(p + 34, 16);
    std::copy_n("data", 4, p + 36);
    StoreLE32(p + 40, dataBytes);
    for (std::size_t i = 0; i < samples.size(); ++i)
        StoreLE16(p + 44 + 2 * i, std::uint16_t(samples[i]));
    return out;
}

}  // namespace

std::vector<std::uint8_t> AreaClickWav()
{
    return Wav(Click(0.060, {{660, 70, 0.55}, {990, 110, 0.25}}, 0.25, 260));
}

std::vector<std::uint8_t> ButtonClickWav()
{
    return Wav(Click(0.022, {{2300, 280, 0.35}}, 0.55, 520));
}

}  // namespace lv::skingen

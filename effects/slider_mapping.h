#pragma once
// How the panels' slider positions become the library's operations and parameters, and
// what the parameters of the slider enhancements stand for. The screens and the command
// line both go through these, so they always agree.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace lv::effects {

inline constexpr int kEnhancementModeCount = 8;
inline constexpr int kSliderNeutral = 50;
inline constexpr int kSliderMax = 100;

struct OperationCall {
    int operation = 0;
    std::vector<std::int32_t> parameters;
    bool operator==(const OperationCall&) const = default;
};

// Sliders the enhancement mode shows (0–3), or -1 for a mode that does not exist.
int EnhancementSliderCount(int mode);

// The call for enhancement `mode` (0–7) with the panel's sliders (only the first
// EnhancementSliderCount(mode) are read; missing ones count as 50). Nothing for an
// unknown mode. Modes without sliders pass one parameter, 0.
std::optional<OperationCall> EnhancementCall(int mode, std::span<const int> sliders);

// The call for an effect with the strength slider at `slider`: the slider itself, except
// the relief effect (88), which receives 100 minus the slider.
OperationCall EffectCall(int operation, int slider);

// Sharpen (9) and soften (10): a Gaussian of `sigma` picture pixels, and how far the result
// moves from the picture: amount > 0 is unsharp masking by that factor, amount < 0 blends
// toward the blurred picture (-1 = fully blurred), 0 is no change.
struct DetailSettings {
    double sigma = 0;
    double amount = 0;
};
DetailSettings DetailForParameter(int operation, int parameter);

}  // namespace lv::effects

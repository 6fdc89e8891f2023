#pragma once
// The program's active and secondary colours (kept in the configuration and saved at exit),
// and who wants to know when they change: the colour panel, the paint tools.

#include "imagelib/rgb_triple.h"

#include <functional>

namespace lv {

RgbTriple ActiveColour();
RgbTriple SecondaryColour();
void SetActiveColour(RgbTriple colour);
void SetSecondaryColour(RgbTriple colour);
void SwapColours();

// Called after every change of either colour. Returns a number for removing it.
int AddColourListener(std::function<void()> listener);
void RemoveColourListener(int id);

}  // namespace lv

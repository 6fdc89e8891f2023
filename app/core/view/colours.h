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
// Both at once: the listeners hear of it once.
void SetColours(RgbTriple active, RgbTriple secondary);
void SwapColours();

// Called after every change of either colour. Returns a number for removing it.
int AddColourListener(std::function<void()> listener);
void RemoveColourListener(int id);

}  // namespace lv

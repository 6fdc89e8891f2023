#include "app/core/view/colours.h"

#include "app/core/shell_state.h"

#include <map>
#include <utility>

namespace lv {
namespace {

std::map<int, std::function<void()>>& listeners()
{
    static std::map<int, std::function<void()>> all;
    return all;
}

void changed()
{
    // A copy, so that a listener may remove itself.
    const auto all = listeners();
    for (const auto& [id, listener] : all)
        listener();
}

}  // namespace

RgbTriple ActiveColour()
{
    return Shell().config.activeColour;
}

RgbTriple SecondaryColour()
{
    return Shell().config.secondaryColour;
}

void SetActiveColour(RgbTriple colour)
{
    Shell().config.activeColour = colour;
    changed();
}

void SetSecondaryColour(RgbTriple colour)
{
    Shell().config.secondaryColour = colour;
    changed();
}

void SetColours(RgbTriple active, RgbTriple secondary)
{
    Shell().config.activeColour = active;
    Shell().config.secondaryColour = secondary;
    changed();
}

void SwapColours()
{
    Configuration& c = Shell().config;
    std::swap(c.activeColour, c.secondaryColour);
    changed();
}

int AddColourListener(std::function<void()> listener)
{
    static int next = 1;
    listeners()[next] = std::move(listener);
    return next++;
}

void RemoveColourListener(int id)
{
    listeners().erase(id);
}

}  // namespace lv

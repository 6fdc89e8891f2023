#pragma once
// What the painting and fill tools read besides the colours: the brush settings (kept in the
// configuration between sessions) and the tools' options, which last for the session.

#include "imagelib/dib.h"

#include <memory>
#include <string>

namespace lv {

enum class BrushShape {
    Square = 0,
    Circle = 1,
    HorizontalBar = 2,
    VerticalBar = 3,
    Diagonal = 4,      // top left to bottom right
    AntiDiagonal = 5,  // top right to bottom left
    Custom = 6,        // the dark pixels of a small picture the user picked
};

struct BrushSettings {
    int shape = 1;  // a BrushShape; anything else paints as the circle
    int size = 16;
    int speed = 20;
    bool show = true;  // the cursor outlines the brush
};

struct PaintOptions {
    BrushSettings brush;
    // The custom shape's picture (any depth the fills read); none paints shape 6 as a circle.
    std::shared_ptr<const HDIB> customShape;

    int fillTolerance = 32;
    int fillTransparency = 0;  // percent, 0..99
    int softness = 100;        // weight of the soft stamp's kernel
    int airbrushPressure = 100;
    int brushTransparency = 0;  // percent
    int airbrushTransparency = 0;
    int penTransparency = 0;
    bool cloneSoftEdge = false;
    bool cloneAligned = true;  // the source keeps its offset from one stroke to the next
    bool eraserSoftEdge = false;
    int eraserIntensity = 100;  // percent
    int strength = 50;          // lighten/darken, blur/sharpen and smudge, percent
    bool darken = false;        // lighten/darken: the panel's direction (Alt swaps it)
    bool sharpen = false;       // blur/sharpen: the panel's direction (Alt swaps it)
    std::string stampName = "stamps/apple.bmp";
    std::string textureName = "sysalbum/texture/bricks.bmp";
    // The pictures those names give, loaded by whoever chooses them; none makes the tool beep.
    std::shared_ptr<const HDIB> stamp;
    std::shared_ptr<const HDIB> texture;
};

}  // namespace lv

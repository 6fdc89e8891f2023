#pragma once
// The painting tools' side of the configuration: the brush settings read at start-up and
// written back at exit, and the stamp and texture pictures named by their settings.

#include "app/core/configuration.h"
#include "edit/paint/paint_options.h"

#include <memory>
#include <string_view>

namespace lv {

// The brush of the configuration (shape, size, speed, outline) as the tools' options,
// each kept to what the tools take.
void ApplyBrushConfiguration(const Configuration& config, PaintOptions& options);
// And back, with the stamp's name, for the save at exit.
void KeepBrushConfiguration(const PaintOptions& options, Configuration& config);

// A stamp or texture picture by its name below the program folder ("stamps/apple.bmp");
// none when it cannot be read (the tool then beeps).
std::shared_ptr<const HDIB> LoadPaintPicture(std::string_view relative);

// Reads the named stamp and texture into the options.
void LoadPaintPictures(PaintOptions& options);

}  // namespace lv

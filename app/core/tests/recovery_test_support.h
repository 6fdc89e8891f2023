#pragma once
// Documents and folders for the recovery tests.

#include "app/core/recovery/recovery_files.h"
#include "app/core/recovery/recovery_snapshot.h"
#include "app/core/recovery/recovery_writer.h"
#include "app/core/documents/untitled_names.h"
#include "common/byte_source.h"
#include "edit/compositing.h"
#include "edit/layer_pictures.h"
#include "edit/layers.h"
#include "edit/text_object.h"
#include "edit/tests/layer_test_support.h"

#include <filesystem>
#include <memory>
#include <set>
#include <string>

namespace lv::testing {

// A 24-bit document of three layers: a photo-like background, a half-transparent red
// square and a text layer with its own object, composited, 3780 pixels per metre.
inline std::unique_ptr<LayerStack> ThreeLayerDocument(int width = 120, int height = 80)
{
    auto stack = CreateEmptyLayerStack(width, height, 24);
    stack->composite.header().biXPelsPerMeter = 3780;
    stack->composite.header().biYPelsPerMeter = 3779;
    HDIB background = MakePhotoLike(width, height);
    HDIB noMask;
    InsertLayer(*stack, background, noMask, 0, false);
    HDIB square = SolidPicture(width / 3, height / 3, {200, 30, 40});
    HDIB half = MakeGreyFilled(width / 3, height / 3, 128);
    InsertLayer(*stack, square, half, 0, false);
    stack->layers[0].x = 7;
    stack->layers[0].y = 5;
    stack->layers[0].opacity = 80;
    stack->layers[0].name = "Quadrado \xC3\xA9";
    HDIB lettering = SolidPicture(20, 10, {10, 20, 250});
    HDIB ink = MakeGreyFilled(20, 10, 255);
    auto text = std::make_shared<TextObject>(MakeTextObject("Feliz aniversário"));
    text->words[TextObject::kColourWord] = 0x00FF00;
    InsertLayer(*stack, lettering, ink, 0, false, text);
    stack->layers[0].kind = LAYER_TEXT;
    stack->layers[0].visible = false;
    stack->currentLayer = 1;
    CompositeLayers(*stack);
    return stack;
}

// A job for the writing thread: a snapshot of the document and its side file's facts.
inline RecoveryJob JobFor(const LayerStack& document, std::string stem = "doc-1", std::string title = "/fotos/cartão.vlf",
                          std::int64_t savedAt = 1700000000)
{
    RecoveryJob job{std::move(stem), TakeRecoverySnapshot(document), {}};
    job.info.untitled = IsUntitledTitle(title);
    job.info.title = std::move(title);
    job.info.savedAt = savedAt;
    job.info.programVersion = 200;
    job.info.width = document.width;
    job.info.height = document.height;
    job.info.xPelsPerMeter = document.composite.header().biXPelsPerMeter;
    job.info.yPelsPerMeter = document.composite.header().biYPelsPerMeter;
    return job;
}

// The non-dot names in a folder.
inline std::set<std::string> FilesIn(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& item : std::filesystem::directory_iterator(folder, ec))
        names.insert(item.path().filename().string());
    return names;
}

inline std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path)
{
    return ReadWholeFile(path.string()).value_or(std::vector<std::uint8_t>{});
}

}  // namespace lv::testing

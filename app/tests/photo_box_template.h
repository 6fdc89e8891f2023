#pragma once
// A small project template the run tests install: a 160 × 120 white "background" and one
// 60 × 40 photo box at (90, 10).

#include "edit/layered_format.h"
#include "edit/layers.h"
#include "imagelib/dib_alloc.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace lv::testing {

inline void WritePhotoBoxTemplate(const std::filesystem::path& path)
{
    auto doc = CreateLayerStackFromImage(DibCreate(160, 120, 0xFFFFFF, false));
    SetLayerName(*doc, 0, "background");
    ASSERT_TRUE(AddLayer(*doc, 0, DibCreate(60, 40, 0x808080, false), DibCreate(60, 40, 0xFFFFFF, true), false, false));
    doc->layers[0].x = 90;
    doc->layers[0].y = 10;
    SetLayerName(*doc, 0, "Foto//x//1");
    RebuildComposite(*doc);
    ASSERT_TRUE(WriteLayeredFile(path.string(), *doc, 100));
}

}  // namespace lv::testing

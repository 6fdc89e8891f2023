#pragma once
// Writing a document to a layered stream in memory and reading it back, for the format's tests.

#include "edit/layered_format.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace lv::testing {

inline std::vector<std::uint8_t> WriteStream(const LayerStack& stack, int quality = kLayeredSaveQuality)
{
    MemorySink sink;
    EXPECT_EQ(WriteLayeredStream(sink, stack, quality), kLayeredWritten);
    return sink.take();
}

inline std::unique_ptr<LayerStack> ReadStream(const std::vector<std::uint8_t>& bytes)
{
    MemorySource source(bytes);
    return ReadLayeredStream(source);
}

}  // namespace lv::testing

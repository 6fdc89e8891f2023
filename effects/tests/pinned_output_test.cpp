// Every operation's exact output on an odd-sized photo, pinned: work on speed and memory
// (bands, streaming, faster loops) must not change a single byte.

#include "effects/operation.h"
#include "effects/tests/test_pictures.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

struct Pinned {
    int operation;
    std::uint64_t atThirty;   // every parameter 30, one thread
    std::uint64_t atHundred;  // every parameter 100 (the widest reach), two threads
};

// Wide enough (effect unit 1.2) and tall enough for several bands of rows.
constexpr int kWidth = 967, kHeight = 643;

constexpr Pinned kPinned[] = {
#include "pinned_hashes.inc"
};

std::uint64_t Fnv1a(const HDIB& picture)
{
    std::uint64_t h = 1469598103934665603ull;
    for (std::size_t i = 0; i < picture.size(); ++i)
        h = (h ^ picture.data()[i]) * 1099511628211ull;
    return h;
}

std::uint64_t HashOf(const HDIB& photo, const effects::OperationSpec& spec, int value, int threads)
{
    const std::vector<std::int32_t> parameters(std::size_t(std::max(spec.maxCount, 1)), value);
    return Fnv1a(Apply(photo, spec.code, parameters, threads));
}

TEST(PinnedOutput, EveryOperationKeepsItsExactBytes)
{
    const HDIB photo = MakeTestPhoto(kWidth, kHeight);
    for (const effects::OperationSpec& spec : effects::AllOperations()) {
        const auto* pinned = std::find_if(std::begin(kPinned), std::end(kPinned), [&](const Pinned& p) { return p.operation == spec.code; });
        // One thread and two must agree as well.
        const std::uint64_t thirty = HashOf(photo, spec, 30, 1), hundred = HashOf(photo, spec, 100, 2);
        if (pinned == std::end(kPinned)) {
            ADD_FAILURE() << "not pinned: {" << spec.code << ", " << thirty << "ull, " << hundred << "ull},";
            continue;
        }
        EXPECT_EQ(thirty, pinned->atThirty) << "operation " << spec.code << " at 30";
        EXPECT_EQ(hundred, pinned->atHundred) << "operation " << spec.code << " at 100";
    }
}

}  // namespace
}  // namespace lv::testing

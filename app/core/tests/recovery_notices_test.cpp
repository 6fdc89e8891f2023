// However many recovery copies fail at start-up, the user gets one message naming a few of
// them and counting the rest; a thumbnail's notice is said once, not once per copy.

#include "app/core/recovery/recovery_notices.h"
#include "common/string_table.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

TEST(RecoveryNotices, ManyUnreadableCopiesMakeOneMessageAndRepeatedNoticesOneLine)
{
    RecoveryNotices nothing;
    EXPECT_TRUE(nothing.empty());
    EXPECT_EQ(nothing.summary(), "");

    RecoveryNotices one;
    one.unreadableCopy("/fotos/praia.vlf");
    EXPECT_EQ(one.summary(), std::string(LoadString(36209)) + " --- /fotos/praia.vlf");

    RecoveryNotices many;
    for (int i = 1; i <= 1999; ++i) {
        many.unreadableCopy("c" + std::to_string(i) + ".vlf");
        many.thumbnailFailed({FileProblem::OutOfMemory, {}, {FailureNotice{"Não há memória suficiente."}}});
    }
    many.thumbnailFailed({FileProblem::Corrupt, {}});  // nothing to say
    EXPECT_FALSE(many.empty());
    EXPECT_EQ(many.summary(), std::string(LoadString(36209)) +
                                  " --- c1.vlf, c2.vlf, c3.vlf, c4.vlf, c5.vlf e mais 1994 cópias\n"
                                  "Não há memória suficiente.");

    RecoveryNotices thumbnailsOnly;
    thumbnailsOnly.thumbnailFailed({FileProblem::OutOfMemory, {}, {FailureNotice{"A"}, FailureNotice{"B"}}});
    thumbnailsOnly.thumbnailFailed({FileProblem::OutOfMemory, {}, {FailureNotice{"B"}}});
    EXPECT_EQ(thumbnailsOnly.summary(), "A\nB");
}

}  // namespace
}  // namespace lv

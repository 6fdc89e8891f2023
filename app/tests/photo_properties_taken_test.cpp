// The photo properties' date taken: a row of its own below the last-write time, left out for a
// photo whose date is unknown.

#include "app/album/photo_properties_dialog.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

TEST(PhotoPropertiesTaken, TheDateTakenHasItsRowOnlyWhenKnown)
{
    const album::PhotoProperties facts{"foto", "/fotos/", "JPG", "2.0 KB", "10:20:30    01/02/2024", "  4 x 3\n  24 Bits"};
    const PhotoPropertiesDialog dated(nullptr, facts, {}, "14:03:09    06/05/2021");
    EXPECT_EQ(dated.fieldText(8007), "14:03:09    06/05/2021");
    EXPECT_EQ(dated.fieldText(8004), "10:20:30    01/02/2024") << "the file's time stays beside it";

    const PhotoPropertiesDialog undated(nullptr, facts, {});
    EXPECT_EQ(undated.findChild<QLabel*>(QStringLiteral("8007")), nullptr);
}

}  // namespace
}  // namespace lv::app

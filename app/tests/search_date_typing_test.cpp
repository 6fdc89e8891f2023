// The search dialog's dates take typing after one click, as any date field does.

#include "app/album/photo_search_dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTest>

namespace lv::search {
namespace {

// A click on the day, then two digits typed, as the user does.
QDate TypedDay(QDateEdit& field, const char* digits)
{
    // The click lands on the field's text, between the day's two digits.
    auto* text = field.findChild<QLineEdit*>();
    const int dayX = text->fontMetrics().horizontalAdvance(QStringLiteral("0")) + 3;
    QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(dayX, text->height() / 2));
    QTest::keyClicks(&field, QString::fromLatin1(digits));
    return field.date();
}

TEST(SearchDateTyping, OneClickOnTheDayThenDigitsSetsTheDay)
{
    PhotoSearchDialog dialog(nullptr, {}, {}, "/nonexistent", 85, 85);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    for (const char* name : {"after", "before"}) {
        SCOPED_TRACE(name);
        auto* use = dialog.findChild<QCheckBox*>(QStringLiteral("use") + QString::fromLatin1(name));
        auto* field = dialog.findChild<QDateEdit*>(QString::fromLatin1(name));
        ASSERT_TRUE(use && field);
        QTest::mouseClick(use, Qt::LeftButton);
        ASSERT_TRUE(field->isEnabled());
        field->setDate(QDate(2020, 3, 7));
        EXPECT_EQ(TypedDay(*field, "15"), QDate(2020, 3, 15));
        EXPECT_EQ(TypedDay(*field, "02"), QDate(2020, 3, 2)) << "a second click starts the day afresh";
    }
}

}  // namespace
}  // namespace lv::search

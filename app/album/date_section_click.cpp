#include "app/album/date_section_click.h"

#include <QDateTimeEdit>
#include <QEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <algorithm>

namespace lv::search {
namespace {

class SectionOnRelease final : public QObject {
public:
    SectionOnRelease(QDateTimeEdit& field, QLineEdit& text)
        : QObject(&field)
        , field_(field)
        , text_(text)
    {
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        const bool leftRelease = event->type() == QEvent::MouseButtonRelease &&
                                 static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        if (leftRelease && !text_.hasSelectedText())
            field_.setSelectedSection(field_.sectionAt(sectionIndexAtCaret()));
        return false;
    }

private:
    // The index of the section the caret stands in, counted by the separators before it.
    int sectionIndexAtCaret() const
    {
        const QString shown = text_.text().left(text_.cursorPosition());
        int index = 0;
        for (const QChar c : shown)
            if (!c.isDigit() && !c.isLetter())
                ++index;
        return std::min(index, field_.sectionCount() - 1);
    }

    QDateTimeEdit& field_;
    QLineEdit& text_;
};

}  // namespace

void SelectSectionOnClick(QDateTimeEdit& field)
{
    if (auto* text = field.findChild<QLineEdit*>())
        text->installEventFilter(new SectionOnRelease(field, *text));  // owned by the field
}

}  // namespace lv::search

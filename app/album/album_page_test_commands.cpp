// The album page's commands for the test driver (test builds only): the answer of the next file
// dialog, photos added as if dropped, the page's state, menu commands, scrolling, the album's
// name and the fields and buttons of the dialog open over the window.

#include "app/album/album_page.h"

#include "album/photo_adding.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>

namespace lv::app {
namespace {

std::vector<std::string> SplitList(const QString& text)
{
    std::vector<std::string> out;
    for (const QString& part : text.split(';', Qt::SkipEmptyParts))
        out.push_back(part.toStdString());
    return out;
}

}  // namespace

bool AlbumPage::handleTestCommand(const QString& command)
{
    const QString verb = command.section(' ', 0, 0);
    const QString rest = command.section(' ', 1);
    if (verb == QLatin1String("albumfiles")) {
        fileDialogAnswer_ = SplitList(rest);
    } else if (verb == QLatin1String("albumadd")) {
        addFiles(album::AcceptedDrops(SplitList(rest)));
    } else if (verb == QLatin1String("albumstate")) {
        logState("state");
    } else if (verb == QLatin1String("albumcommand")) {
        runMenuCommand(rest.toInt());
    } else if (verb == QLatin1String("albumscroll")) {
        scrollRows(rest.toInt());
        logState("scrolled");
    } else if (verb == QLatin1String("albumname") && nameField_) {
        nameField_->setText(rest);
        nameEdited();
        logState("named");
    } else if (verb == QLatin1String("dialogtext") || verb == QLatin1String("dialogclick")) {
        // A field or button of the dialog open over the window, by its object name.
        QWidget* dialog = QApplication::activeModalWidget();
        const QString name = rest.section(' ', 0, 0);
        if (auto* field = dialog ? dialog->findChild<QLineEdit*>(name) : nullptr; field && verb == QLatin1String("dialogtext"))
            field->setText(rest.section(' ', 1));
        else if (auto* button = dialog ? dialog->findChild<QAbstractButton*>(name) : nullptr)
            button->click();
        hooks_.log(QStringLiteral("dialog %1 %2").arg(verb, name));
    } else {
        return false;
    }
    return true;
}

}  // namespace lv::app

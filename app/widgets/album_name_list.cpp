#include "app/widgets/album_name_list.h"

#include "app/widgets/shared_style.h"

namespace lv::app {

AlbumNameList::AlbumNameList(QWidget* parent)
    : QListWidget(parent)
{
    setObjectName(QStringLiteral("albumlist"));
    setFrameShape(QFrame::NoFrame);
    setFont(SharedFont());
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The edit-colour request's answer, as the skin's other fields.
    QPalette colours = palette();
    colours.setColor(QPalette::Base, SharedBrushColour());
    colours.setColor(QPalette::Text, Qt::black);
    setPalette(colours);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        // After the list's own handling: the choice may fill the list again.
        if (!filling_ && row >= 0 && chosen_)
            QMetaObject::invokeMethod(this, [this, row] { chosen_(row); }, Qt::QueuedConnection);
    });
}

void AlbumNameList::setItems(const std::vector<std::string>& names, int current)
{
    filling_ = true;
    clear();
    for (const std::string& name : names)
        addItem(QString::fromStdString(name));
    setCurrentRow(current);
    filling_ = false;
}

}  // namespace lv::app

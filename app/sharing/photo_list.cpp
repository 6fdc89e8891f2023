#include "app/sharing/photo_list.h"

#include "app/widgets/picture_preview.h"
#include "app/widgets/qt_text.h"

#include <QPixmap>

#include <algorithm>
#include <filesystem>

namespace lv::app {
namespace {

constexpr int kThumbSide = 88;
constexpr int kCaptionRole = Qt::UserRole + 1;

}  // namespace

PhotoList::PhotoList(QWidget* parent)
    : QListWidget(parent)
{
    setObjectName(QStringLiteral("photolist"));
    setViewMode(QListView::IconMode);
    setIconSize({kThumbSide, kThumbSide});
    setGridSize({kThumbSide + 24, kThumbSide + 36});
    setMovement(QListView::Snap);
    setDragDropMode(QAbstractItemView::InternalMove);
    setResizeMode(QListView::Adjust);
    setWordWrap(true);
}

void PhotoList::add(const ListedPhoto& photo)
{
    const QString name = QtText(std::filesystem::path(photo.path).filename().string());
    auto* item = new QListWidgetItem(photo.caption.empty() ? name : QtText(photo.caption), this);
    item->setData(Qt::UserRole, QtText(photo.path));
    item->setData(kCaptionRole, QtText(photo.caption));
    item->setToolTip(QtText(photo.path));
    const QImage thumb = PreviewPicture(photo.path, kThumbSide);
    if (!thumb.isNull())
        item->setIcon(QPixmap::fromImage(thumb));
    setCurrentItem(item);
}

std::vector<ListedPhoto> PhotoList::photos() const
{
    std::vector<ListedPhoto> out;
    for (int i = 0; i < count(); ++i)
        out.push_back({item(i)->data(Qt::UserRole).toString().toStdString(),
                       item(i)->data(kCaptionRole).toString().toStdString()});
    return out;
}

bool PhotoList::removeSelected()
{
    const int row = currentRow();
    if (row < 0)
        return false;
    delete takeItem(row);
    if (count())
        setCurrentRow(std::min(row, count() - 1));
    return true;
}

bool PhotoList::step(int step)
{
    const int row = currentRow() + step;
    if (row < 0 || row >= count())
        return false;
    setCurrentRow(row);
    return true;
}

bool PhotoList::moveSelected(int step)
{
    const int row = currentRow(), to = row + step;
    if (row < 0 || to < 0 || to >= count())
        return false;
    insertItem(to, takeItem(row));
    setCurrentRow(to);
    return true;
}

}  // namespace lv::app

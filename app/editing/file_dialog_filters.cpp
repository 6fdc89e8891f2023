#include "app/editing/file_dialog_filters.h"

#include "app/widgets/qt_text.h"

namespace lv::app {

QStringList NameFilters(std::span<const FileFilter> filters)
{
    QStringList list;
    for (const FileFilter& filter : filters) {
        QStringList patterns;
        for (const QString& pattern : QtText(filter.patterns).split(';', Qt::SkipEmptyParts)) {
            // Lower case first: Qt gives a name the first pattern's extension when the type changes.
            patterns << pattern.toLower();
            if (pattern.toLower() != pattern)
                patterns << pattern;
        }
        list << QStringLiteral("%1 (%2)").arg(QtText(filter.description), patterns.join(' '));
    }
    return list;
}

}  // namespace lv::app

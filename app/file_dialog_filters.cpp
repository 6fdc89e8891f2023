#include "app/file_dialog_filters.h"

namespace lv::app {

QStringList NameFilters(std::span<const FileFilter> filters)
{
    QStringList list;
    for (const FileFilter& filter : filters) {
        QStringList patterns;
        for (const QString& pattern : QString::fromUtf8(filter.patterns.data(), qsizetype(filter.patterns.size()))
                                          .split(';', Qt::SkipEmptyParts)) {
            patterns << pattern;
            if (pattern.toLower() != pattern)
                patterns << pattern.toLower();
        }
        list << QStringLiteral("%1 (%2)")
                    .arg(QString::fromUtf8(filter.description.data(), qsizetype(filter.description.size())),
                         patterns.join(' '));
    }
    return list;
}

}  // namespace lv::app

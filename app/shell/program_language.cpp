#include "app/shell/program_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace lv::app {

bool UseBrazilianPortuguese(QCoreApplication& application)
{
    const QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    QLocale::setDefault(brazil);
    auto translator = std::make_unique<QTranslator>();
    // "qt" gathers the catalogues of the Qt modules (base, multimedia, ...).
    if (!translator->load(brazil, QStringLiteral("qt"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    translator->setParent(&application);  // lives as long as the application
    return QCoreApplication::installTranslator(translator.release());
}

}  // namespace lv::app

#include "app/shell/about_dialog.h"

#include "common/settings_keys.h"
#include "app/shell/dialog_help.h"
#include "app/widgets/program_icon.h"
#include "app/widgets/qt_text.h"
#include "imagelib/codecs/codec_libraries.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QtGlobal>

namespace lv::app {
namespace {

constexpr int kAboutTitle = 35019;  // "Sobre"
constexpr int kLogoSide = 96;

QString versionText()
{
    const int version = setting::kProgramVersion;
    return QStringLiteral("Versão %1.%2").arg(version / 100).arg(version % 100, 2, 10, QLatin1Char('0'));
}

QString librariesList()
{
    QStringList lines;
    lines << QStringLiteral("Qt %1 — licença LGPL, versão 3").arg(QString::fromLatin1(qVersion()));
    for (const LibraryNotice& library : CodecLibraries())
        lines << QStringLiteral("%1 %2 — %3").arg(QtText(library.name), QtText(library.version), QtText(library.licence));
    lines << QStringLiteral("Fontes Liberation — licença SIL Open Font, versão 1.1");
    return lines.join('\n');
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent)
    , libraries_(librariesList())
{
    setObjectName(QStringLiteral("about"));
    setWindowTitle(StringText(kAboutTitle));
    UseDialogHelp(*this, skin::kAboutDialog);

    auto* logo = new QLabel(this);
    logo->setPixmap(ProgramIcon().pixmap(kLogoSide, kLogoSide));
    auto* name = new QLabel(QStringLiteral("<b style='font-size:20px'>Lumivista 2000</b><br>%1").arg(versionText()), this);
    auto* heading = new QHBoxLayout;
    heading->addWidget(logo);
    heading->addWidget(name, 1);

    auto* libraries = new QLabel(QStringLiteral("Feito com:\n") + libraries_, this);
    libraries->setObjectName(QStringLiteral("libraries"));
    libraries->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addWidget(libraries);
    layout->addWidget(buttons);
}

QString AboutDialog::librariesText() const
{
    return libraries_;
}

}  // namespace lv::app

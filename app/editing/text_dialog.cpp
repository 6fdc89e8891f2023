#include "app/editing/text_dialog.h"

#include "app/widgets/named_spin_box.h"
#include "app/widgets/qt_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace lv::app {
namespace {

QString FaceShown(const LogFont& font, const DrawnFace& drawnFace)
{
    const QString drawn = drawnFace ? drawnFace(font) : QString();
    return drawn.isEmpty() ? QtText(font.faceName.empty() ? "Arial" : font.faceName) : drawn;
}

QString fontText(const LogFont& font, const DrawnFace& drawnFace)
{
    QString text = FaceShown(font, drawnFace);
    text += QStringLiteral(", %1 px").arg(font.height < 0 ? -font.height : font.height);
    if (font.weight >= 600)
        text += QStringLiteral(", negrito");
    if (font.italic)
        text += QStringLiteral(", itálico");
    return text;
}

}  // namespace

bool ChooseTextFont(QWidget* parent, LogFont& font, const DrawnFace& drawnFace)
{
    const QString face = FaceShown(font, drawnFace);
    QFont start(face);
    start.setPixelSize(std::max(1, font.height < 0 ? -font.height : font.height));
    start.setBold(font.weight >= 600);
    start.setItalic(font.italic != 0);
    start.setUnderline(font.underline != 0);
    start.setStrikeOut(font.strikeOut != 0);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, start, parent, QStringLiteral("Fonte"));
    if (!ok)
        return false;
    if (chosen.family().compare(face, Qt::CaseInsensitive) != 0 || font.faceName.empty())
        font.faceName = chosen.family().toStdString().substr(0, kFaceNameBytes - 1);
    const int pixels = chosen.pixelSize() > 0 ? chosen.pixelSize() : int(chosen.pointSizeF() * 96 / 72 + 0.5);
    font.height = -std::max(1, pixels);
    font.weight = chosen.bold() ? 700 : 400;
    font.italic = chosen.italic() ? 1 : 0;
    font.underline = chosen.underline() ? 1 : 0;
    font.strikeOut = chosen.strikeOut() ? 1 : 0;
    return true;
}

TextDialog::TextDialog(QWidget* parent, const TextToolChoice& choice, bool editing, DrawnFace drawnFace)
    : QDialog(parent)
    , choice_(choice)
    , drawnFace_(std::move(drawnFace))
{
    setObjectName(QStringLiteral("text"));
    setWindowTitle(editing ? QStringLiteral("Editar texto") : QStringLiteral("Texto"));
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("text"));
    text_->setPlainText(QtText(choice.settings.text));
    connect(text_, &QPlainTextEdit::textChanged, this, [this] { limitText(); });

    font_ = new QPushButton(this);
    font_->setObjectName(QStringLiteral("font"));
    connect(font_, &QPushButton::clicked, this, [this] { chooseFont(); });
    showFont();
    smooth_ = new QCheckBox(QStringLiteral("&Bordas suaves"), this);
    smooth_->setChecked(choice.settings.style.smoothEdges);
    alignment_ = new QComboBox(this);
    alignment_->addItems({QStringLiteral("Esquerda"), QStringLiteral("Centro"), QStringLiteral("Direita")});
    alignment_->setCurrentIndex(int(choice.settings.style.alignment));
    lineSpacing_ = NamedSpinBox(this, "lineSpacing", 50, 400, choice.settings.style.lineSpacing);
    lineSpacing_->setSuffix(QStringLiteral(" %"));
    letterSpacing_ = NamedSpinBox(this, "letterSpacing", -50, 200, choice.settings.style.letterSpacing);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Fonte:"), font_);
    form->addRow(QString(), smooth_);
    form->addRow(QStringLiteral("&Alinhamento:"), alignment_);
    form->addRow(QStringLiteral("Espaçamento entre &linhas:"), lineSpacing_);
    form->addRow(QStringLiteral("Espaçamento entre le&tras:"), letterSpacing_);

    shadow_ = new QGroupBox(QStringLiteral("&Sombra projetada"), this);
    shadow_->setCheckable(true);
    shadow_->setChecked(choice.dropShadow);
    shadowFields_ = std::make_unique<DropShadowFields>(shadow_, *new QFormLayout(shadow_), choice.shadow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* accept = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), this);
    connect(accept, &QShortcut::activated, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(form);
    layout->addWidget(shadow_);
    layout->addWidget(buttons);
}

void TextDialog::chooseFont()
{
    if (ChooseTextFont(this, choice_.settings.font, drawnFace_))
        showFont();
}

void TextDialog::showFont()
{
    font_->setText(fontText(choice_.settings.font, drawnFace_));
}

// The text object keeps 1023 bytes; typing beyond them is undone at once.
void TextDialog::limitText()
{
    QString text = text_->toPlainText();
    if (text.toUtf8().size() <= qsizetype(TextLayerSettings::kMaxTextBytes))
        return;
    while (!text.isEmpty() && text.toUtf8().size() > qsizetype(TextLayerSettings::kMaxTextBytes))
        text.chop(1);
    const QSignalBlocker blocker(text_);
    text_->setPlainText(text);
    text_->moveCursor(QTextCursor::End);
}

TextToolChoice TextDialog::choice() const
{
    TextToolChoice choice = choice_;
    choice.settings.text = text_->toPlainText().toStdString();
    choice.settings.style.smoothEdges = smooth_->isChecked();
    choice.settings.style.alignment = TextAlignment(alignment_->currentIndex());
    choice.settings.style.lineSpacing = lineSpacing_->value();
    choice.settings.style.letterSpacing = letterSpacing_->value();
    choice.dropShadow = shadow_->isChecked();
    choice.shadow = shadowFields_->settings();
    return choice;
}

}  // namespace lv::app

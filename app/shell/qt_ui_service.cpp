#include "app/shell/qt_ui_service.h"

#include "app/widgets/qt_text.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <utility>
#include <vector>

namespace lv::app {
namespace {

constexpr int kRetryCloseMs = 100;

QMessageBox::Icon boxIcon(ui::Icon icon)
{
    switch (icon) {
    case ui::Icon::Information:
        return QMessageBox::Information;
    case ui::Icon::Exclamation:
        return QMessageBox::Warning;
    case ui::Icon::Question:
        return QMessageBox::Question;
    case ui::Icon::Error:
        return QMessageBox::Critical;
    case ui::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The buttons in their order on screen; the first is the default.
std::vector<std::pair<QString, ui::Answer>> buttonsOf(ui::Buttons buttons)
{
    switch (buttons) {
    case ui::Buttons::Ok:
        return {{"OK", ui::Answer::Ok}};
    case ui::Buttons::OkCancel:
        return {{"OK", ui::Answer::Ok}, {"Cancelar", ui::Answer::Cancel}};
    case ui::Buttons::YesNo:
        return {{"Sim", ui::Answer::Yes}, {"Não", ui::Answer::No}};
    case ui::Buttons::YesNoCancel:
        return {{"Sim", ui::Answer::Yes}, {"Não", ui::Answer::No}, {"Cancelar", ui::Answer::Cancel}};
    }
    return {{"OK", ui::Answer::Ok}};
}

QWidget* boxParent()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

}  // namespace

QtUiService::QtUiService(const TestHooks& hooks)
    : hooks_(hooks)
{
    closeAfterWork_.setSingleShot(true);
    closeAfterWork_.setInterval(0);
    QObject::connect(&closeAfterWork_, &QTimer::timeout, &closeAfterWork_, [this] { closeProgressAfterWork(); });
}

void QtUiService::closeProgressAfterWork()
{
    if (!progress_)
        return;
    // A message box shown over the window is its child: the window goes once the box is
    // gone, not under it (an answered box is hidden before its own loop returns).
    for (const QWidget* child : progress_->findChildren<QWidget*>())
        if (child->isWindow()) {
            progress_->hide();
            closeAfterWork_.start(kRetryCloseMs);
            return;
        }
    delete progress_.data();
}

QtUiService::~QtUiService()
{
    while (busyDepth_ > 0)
        setBusy(false);
    delete progress_.data();
}

ui::Answer QtUiService::run(std::string_view text, std::string_view title, ui::Buttons buttons, ui::Icon icon)
{
    QMessageBox box(boxIcon(icon), QtText(title), QtText(text), QMessageBox::NoButton, boxParent());
    std::vector<std::pair<QAbstractButton*, ui::Answer>> answers;
    for (const auto& [label, answer] : buttonsOf(buttons))
        answers.emplace_back(box.addButton(label, QMessageBox::AcceptRole), answer);
    box.setDefaultButton(static_cast<QPushButton*>(answers.front().first));
    // Esc means Cancel where there is one, otherwise No, otherwise OK.
    box.setEscapeButton(answers.back().first);

    // Shown over the hourglass with the normal arrow.
    const bool busy = busyDepth_ > 0;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
#ifdef LV_TEST_DRIVER
    if (hooks_.enabled())
        hooks_.log("message " + QtText(title) + ": " + QtText(text));
    if (hooks_.answersDialogs()) {
        QAbstractButton* chosen = answers.front().first;
        if (!scriptedAnswers_.isEmpty()) {
            const QString label = scriptedAnswers_.takeFirst();
            for (const auto& [button, answer] : answers)
                if (button->text() == label)
                    chosen = button;
        }
        QTimer::singleShot(0, &box, [chosen] { chosen->click(); });
    }
#endif
    box.exec();
    if (busy)
        QApplication::restoreOverrideCursor();

    for (const auto& [button, answer] : answers)
        if (box.clickedButton() == button)
            return answer;
    return answers.back().second;
}

void QtUiService::showMessage(std::string_view text, std::string_view title, ui::Icon icon)
{
    run(text, title, ui::Buttons::Ok, icon);
}

ui::Answer QtUiService::ask(std::string_view text, std::string_view title, ui::Buttons buttons, ui::Icon icon)
{
    return run(text, title, buttons, icon);
}

void QtUiService::beep()
{
    beepBecause("unexplained");
}

void QtUiService::beepBecause(std::string_view reason)
{
    LV_TEST_LOG(hooks_, QStringLiteral("beep ") + QString::fromUtf8(reason.data(), qsizetype(reason.size())));
    QApplication::beep();
}

void QtUiService::setBusy(bool busy)
{
    if (busy) {
        if (busyDepth_++ == 0)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        return;
    }
    if (busyDepth_ == 0)
        return;
    if (--busyDepth_ == 0) {
        QApplication::restoreOverrideCursor();
        delete progress_.data();
    }
}

void QtUiService::reportProgress(std::string_view caption, int percent)
{
    if (percent >= 100) {
        delete progress_.data();
        return;
    }
    if (!progress_) {
        progress_ = new QProgressDialog(QApplication::activeWindow());  // deleted here or with its parent
        progress_->setWindowTitle(QtText(ui::kProductTitle));
        progress_->setCancelButton(nullptr);  // Esc cancels, as everywhere in the program
        progress_->setRange(0, 100);
        progress_->setMinimumDuration(400);
        progress_->setAutoReset(false);
    }
    progress_->setLabelText(QtText(caption));
    progress_->setValue(std::max(percent, 0));
    closeAfterWork_.start(0);
    pump_.pumpIfDue();
}

bool QtUiService::escapeHeld()
{
    return pump_.escapeHeld();
}

}  // namespace lv::app

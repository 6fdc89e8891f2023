#include "app/sharing/transfer_progress_dialog.h"

#include <QLocale>
#include <QPushButton>

#include <algorithm>

namespace lv::app {
namespace {

constexpr int kShowAfterMs = 400;

}  // namespace

TransferProgressDialog::TransferProgressDialog(QWidget* parent, const QString& caption, std::function<void()> cancel)
    : QProgressDialog(caption, QString(), 0, 100, parent)
{
    setObjectName(QStringLiteral("progress"));
    setWindowTitle(QStringLiteral("Lumivista 2000"));
    setWindowModality(Qt::WindowModal);
    setMinimumDuration(kShowAfterMs);
    setAutoClose(false);
    setAutoReset(false);
    auto* button = new QPushButton(QStringLiteral("Cancelar"), this);
    button->setObjectName(QStringLiteral("cancel"));
    setCancelButton(button);
    connect(this, &QProgressDialog::canceled, this, [this, cancel = std::move(cancel)] {
        if (cancelRequested_)
            return;
        cancelRequested_ = true;
        setLabelText(labelText() + QStringLiteral("\nCancelando..."));
        if (cancel)
            cancel();
    });
}

void TransferProgressDialog::report(int percent, const QString& detail)
{
    setValue(std::clamp(percent, 0, 99));  // 100 would close it before the work says it ended
    const QString caption = labelText().section(QLatin1Char('\n'), 0, 0);
    if (!cancelRequested_)
        setLabelText(detail.isEmpty() ? caption : caption + QLatin1Char('\n') + detail);
}

QString TransferDetail(int filesDone, int filesTotal, qint64 bytesDone, qint64 bytesTotal)
{
    const QLocale portuguese(QLocale::Portuguese, QLocale::Brazil);
    const auto megabytes = [&](qint64 bytes) { return portuguese.toString(double(bytes) / 1e6, 'f', 1); };
    return QStringLiteral("%1 de %2 fotos — %3 de %4 MB")
        .arg(filesDone)
        .arg(filesTotal)
        .arg(megabytes(bytesDone), megabytes(bytesTotal));
}

}  // namespace lv::app

#pragma once
// The progress of work that runs beside the window (mail going out, photos coming in): a
// bar, a line saying how far it got, and "Cancelar". It shows only when the work lasts.

#include <QProgressDialog>

#include <functional>

namespace lv::app {

class TransferProgressDialog final : public QProgressDialog {
public:
    // `cancel` runs when the user asks to stop; the work ends on its own after that.
    TransferProgressDialog(QWidget* parent, const QString& caption, std::function<void()> cancel);

    // A share of 0 to 100, and what to say under the caption.
    void report(int percent, const QString& detail);
    bool cancelRequested() const { return cancelRequested_; }

private:
    bool cancelRequested_ = false;
};

// "3 de 200 fotos — 9,0 de 600,0 MB".
QString TransferDetail(int filesDone, int filesTotal, qint64 bytesDone, qint64 bytesTotal);

}  // namespace lv::app

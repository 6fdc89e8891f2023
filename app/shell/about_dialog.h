#pragma once
// "Sobre": the program's name and version, and the libraries it is made with, each with its
// licence.

#include <QDialog>

namespace lv::app {

class AboutDialog final : public QDialog {
public:
    explicit AboutDialog(QWidget* parent);
    // The text listing the libraries, as shown.
    QString librariesText() const;

private:
    QString libraries_;
};

}  // namespace lv::app

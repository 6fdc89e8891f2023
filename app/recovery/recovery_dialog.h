#pragma once
// The start-up's question after a copy of the program did not end cleanly: the pictures
// that have recovery copies, each with its name, when it was copied and a thumbnail, and
// "Recuperar", "Descartar" or "Decidir depois".

#include <QDialog>
#include <QImage>
#include <QString>

#include <vector>

class QListWidget;
class QPushButton;

namespace lv::app {

struct RecoveryListItem {
    QString name;    // the file's name, or the untitled name
    QString detail;  // when and where, or why it can't be recovered
    QImage thumbnail;
    bool damaged = false;
};

enum class RecoveryChoice { Recover, Discard, Later };

class RecoveryDialog final : public QDialog {
public:
    RecoveryDialog(QWidget* parent, const std::vector<RecoveryListItem>& items);

    // What the user chose; closing the dialog decides later.
    RecoveryChoice choice() const { return choice_; }
    QListWidget* list() const { return list_; }
    QPushButton* button(RecoveryChoice choice) const;

private:
    void choose(RecoveryChoice choice);

    QListWidget* list_;
    QPushButton* recover_;
    QPushButton* discard_;
    QPushButton* later_;
    RecoveryChoice choice_ = RecoveryChoice::Later;
};

}  // namespace lv::app

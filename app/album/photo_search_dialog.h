#pragma once
// The photo search dialog ("Pesquisar fotos"): criteria on the left, the photos found as
// thumbnails on the right, a larger picture of the one chosen. The search runs on a thread
// of its own so the dialog keeps answering.

#include "album/photo_search.h"
#include "app/album/photo_search_library.h"

#include <QDialog>
#include <QPointer>

#include <memory>
#include <string>
#include <thread>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace lv::search {

struct SearchProcs {
    DrawProc draw = nullptr;
    FitProc fit = nullptr;
    LoadProc load = nullptr;
};

class PhotoSearchDialog final : public QDialog {
public:
    PhotoSearchDialog(QWidget* owner, SearchProcs procs, std::vector<std::string> types, std::string albumsFolder,
                      int thumbWidth, int thumbHeight);
    ~PhotoSearchDialog() override;

    // The criteria as the fields give them.
    album::SearchCriteria criteria() const;
    // Starts a search; the hits replace the list when it ends.
    void startSearch();
    bool searching() const { return searching_; }
    const std::vector<album::SearchHit>& hits() const { return hits_; }
    // What the program is to open or show, after exec() answered 1 or 2.
    const std::string& answer() const { return answer_; }

    void openChosen();
    void makeResultsAlbum();

private:
    void showHits(std::vector<album::SearchHit> hits, bool stopped);
    QImage thumbnailOf(const album::SearchHit& hit) const;
    void showPreview(int row);
    void updateButtons();

    SearchProcs procs_;
    std::string albumsFolder_;
    int thumbWidth_;
    int thumbHeight_;
    QLineEdit* name_;
    QLineEdit* caption_;
    QCheckBox* useAfter_;
    QDateEdit* after_;
    QCheckBox* useBefore_;
    QDateEdit* before_;
    QComboBox* type_;
    QSpinBox* minKb_;
    QSpinBox* maxKb_;
    QSpinBox* minWidth_;
    QSpinBox* minHeight_;
    QCheckBox* onDisk_;
    QLineEdit* folder_;
    QCheckBox* subfolders_;
    QPushButton* searchButton_;
    QPushButton* openButton_;
    QPushButton* albumButton_;
    QListWidget* results_;
    QLabel* preview_;
    QLabel* status_;
    std::vector<album::SearchHit> hits_;
    std::string answer_;
    bool searching_ = false;
    std::jthread worker_;
};

}  // namespace lv::search

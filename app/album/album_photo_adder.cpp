#include "app/album/album_photo_adder.h"

#include "album/photo_loader.h"
#include "app/widgets/qt_text.h"
#include "app/widgets/shared_style.h"
#include "common/string_table.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>

namespace lv::app {
namespace {

constexpr int kProgressText = 7203;  // "Adicionando fotos ao álbum... %d de %d  (Esc cancela)"

}  // namespace

AlbumPhotoAdder::AlbumPhotoAdder(QWidget& window, PhotoAdded added, Finished finished)
    : window_(window)
    , photoAdded_(std::move(added))
    , finished_(std::move(finished))
{
}

AlbumPhotoAdder::~AlbumPhotoAdder()
{
    qApp->removeEventFilter(this);
    builder_.reset();  // waits for the workers
    delete progress_.data();
}

bool AlbumPhotoAdder::start(album::Album& album, album::AlbumView& view, std::filesystem::path programDir,
                            std::vector<std::string> paths, const QRect& progressArea)
{
    if (running_ || paths.empty())
        return false;
    album_ = &album;
    view_ = &view;
    programDir_ = std::move(programDir);
    paths_ = std::move(paths);
    report_.emplace(paths_.size());
    next_ = added_ = 0;
    waiting_.clear();
    stopping_ = workersDone_ = false;
    running_ = true;

    // Layered and Photoshop documents are read here, in their turn; the rest on workers.
    std::vector<album::EntryLabel> labels;
    onWorkers_.assign(paths_.size(), false);
    workerIndex_.clear();
    for (std::size_t i = 0; i < paths_.size(); ++i) {
        if (!album::SafeOnWorkerThreads(paths_[i]))
            continue;
        onWorkers_[i] = true;
        workerIndex_.push_back(i);
        labels.push_back({paths_[i], {}, {1, 1, 1}});
    }

    auto* progress = new QWidget(&window_);  // the window owns it; deleted at the end
    progress->setObjectName(QStringLiteral("albumprogress"));
    progress->setAutoFillBackground(true);
    QPalette colours = progress->palette();
    colours.setColor(QPalette::Window, SharedBrushColour());
    progress->setPalette(colours);
    auto* row = new QHBoxLayout(progress);
    row->setContentsMargins(6, 2, 6, 2);
    text_ = new QLabel(progress);
    text_->setFont(SharedFont());
    bar_ = new QProgressBar(progress);
    bar_->setRange(0, int(paths_.size()));
    bar_->setTextVisible(false);
    row->addWidget(text_, 3);
    row->addWidget(bar_, 2);
    progress->setGeometry(progressArea);
    progress->show();
    progress->raise();
    progress_ = progress;
    showProgress();
    qApp->installEventFilter(this);

    builder_ = std::make_unique<album::BackgroundEntryBuilder>(
        std::move(labels), album::AlbumPhotoReaders(), album::DefaultJobs(),
        [this](std::size_t workerOrder, album::BuiltEntry built, std::vector<album::HeldMessage> messages) {
            auto arrival = std::make_shared<Arrival>(Arrival{std::move(built), std::move(messages)});
            const std::size_t index = workerIndex_[workerOrder];
            QMetaObject::invokeMethod(this, [this, index, arrival] { arrived(index, arrival); }, Qt::QueuedConnection);
        },
        [this](bool) {
            QMetaObject::invokeMethod(this, [this] {
                workersDone_ = true;
                drain();
            }, Qt::QueuedConnection);
        });
    // Documents that must be read here may come first.
    QMetaObject::invokeMethod(this, [this] { drain(); }, Qt::QueuedConnection);
    return true;
}

void AlbumPhotoAdder::arrived(std::size_t index, std::shared_ptr<Arrival> arrival)
{
    if (!running_)
        return;
    waiting_[index] = std::move(arrival);
    drain();
}

void AlbumPhotoAdder::drain()
{
    if (!running_)
        return;

    while (next_ < paths_.size() && !stopping_) {
        const std::size_t i = next_;
        if (onWorkers_[i]) {
            const auto it = waiting_.find(i);
            if (it == waiting_.end())
                break;
            const std::shared_ptr<Arrival> arrival = it->second;
            waiting_.erase(it);
            ++next_;
            apply(i, std::move(arrival->built), arrival->messages);
        } else {
            ++next_;
            album::HoldingService quiet;
            album::BuiltEntry built;
            {
                ui::ScopedThreadService held(quiet);
                built = album::BuildPhotoEntry({paths_[i], {}, {1, 1, 1}}, album::AlbumPhotoReaders());
            }
            apply(i, std::move(built), quiet.take());
            // One document per turn of the event loop, so the window keeps up.
            if (next_ < paths_.size()) {
                QMetaObject::invokeMethod(this, [this] { drain(); }, Qt::QueuedConnection);
                return;
            }
        }
    }
    showProgress();
    const bool allDone = next_ >= paths_.size();
    const bool workersOver = workersDone_ || !builder_;
    if (allDone || (stopping_ && workersOver))
        finish();
}

void AlbumPhotoAdder::apply(std::size_t index, album::BuiltEntry built, const std::vector<album::HeldMessage>& messages)
{
    const std::string& path = paths_[index];
    const std::size_t before = album_->count();
    const FileFailure damage = built.damage;
    const album::AddOutcome outcome = album::AddBuiltPhoto(*album_, *view_, std::move(built), path, programDir_);
    report_->outcome(path, outcome);
    for (const album::HeldMessage& m : messages)
        report_->note(path, m);
    if (outcome == album::AddOutcome::Added)
        report_->damaged(path, damage);
    if (outcome == album::AddOutcome::Added) {
        ++added_;
        if (photoAdded_)
            photoAdded_(album_->count() != before + 1);
    } else if (outcome == album::AddOutcome::Full) {
        stopping_ = true;  // nothing more fits
        if (builder_)
            builder_->cancel();
    }
}

void AlbumPhotoAdder::cancel()
{
    if (!running_ || stopping_)
        return;
    stopping_ = true;
    if (builder_)
        builder_->cancel();
    drain();
}

void AlbumPhotoAdder::finishNow()
{
    if (!running_)
        return;
    stopping_ = true;
    if (builder_)
        builder_->cancel();
    builder_.reset();  // waits; what the workers sent is still queued and dropped
    finish();
}

void AlbumPhotoAdder::finish()
{
    if (!running_)
        return;
    running_ = false;
    qApp->removeEventFilter(this);
    builder_.reset();
    waiting_.clear();
    delete progress_.data();
    bar_ = nullptr;
    text_ = nullptr;
    // The messages come after the bar has gone, once.
    const album::AddReport report = std::move(*report_);
    report_.reset();
    report.show();
    if (finished_)
        finished_();
}

void AlbumPhotoAdder::showProgress()
{
    if (!bar_ || !text_)
        return;
    bar_->setValue(int(next_));
    QString text = StringText(kProgressText);
    const int first = text.indexOf(QStringLiteral("%d"));
    if (first >= 0)
        text.replace(first, 2, QString::number(next_));
    const int second = text.indexOf(QStringLiteral("%d"));
    if (second >= 0)
        text.replace(second, 2, QString::number(paths_.size()));
    text_->setText(text);
}

bool AlbumPhotoAdder::eventFilter(QObject*, QEvent* event)
{
    if (running_ && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        cancel();
        return true;
    }
    return false;
}

}  // namespace lv::app

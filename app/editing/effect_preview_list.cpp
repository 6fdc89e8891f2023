#include "app/editing/effect_preview_list.h"

#include "app/widgets/dib_image.h"
#include "app/widgets/skin_list_box.h"
#include "effects/catalogue.h"

#include <algorithm>

namespace lv::app {
namespace {

// While something is left to compute, the next one comes after the events waiting; once
// everything is done, the picture is only watched for changes.
constexpr int kWatchMilliseconds = 250;

}  // namespace

EffectPreviewList::EffectPreviewList(PictureSource source)
    : source_(std::move(source))
{
    timer_.setSingleShot(false);
    connect(&timer_, &QTimer::timeout, this, [this] { step(); });
}

EffectPreviewList::~EffectPreviewList()
{
    if (list_)
        list_->setRowPicture({});
}

void EffectPreviewList::attach(SkinListBox& list)
{
    // The list is made anew with its panel; what was computed stays while the rows keep their size.
    if (!thumbnails_ || list.rowPictureBox() != box_) {
        box_ = list.rowPictureBox();
        const int strength = thumbnails_ ? thumbnails_->strength() : 50;
        thumbnails_.emplace(box_.width(), box_.height());
        thumbnails_->setStrength(strength);
    }
    if (list_ != &list) {
        list_ = &list;
        list.setRowPicture([this](int item) { return picture(item); });
    }
    timer_.start(0);
}

void EffectPreviewList::setStrength(int strength)
{
    if (!thumbnails_ || thumbnails_->strength() == strength)
        return;
    thumbnails_->setStrength(strength);
    if (list_) {
        list_->popup().update();
        timer_.start(0);
    }
}

void EffectPreviewList::stop()
{
    timer_.stop();
}

QImage EffectPreviewList::picture(int item) const
{
    const auto catalogue = effects::EffectCatalogue();
    if (!thumbnails_ || item < 0 || item >= int(catalogue.size()))
        return {};
    const HDIB* thumbnail = thumbnails_->find(catalogue[std::size_t(item)].code);
    return thumbnail ? DibToImage(*thumbnail) : QImage();
}

bool EffectPreviewList::busy() const
{
    return timer_.isActive() && timer_.interval() == 0;
}

// The rows in sight first, then the rest of the catalogue in its order.
std::vector<int> EffectPreviewList::wantedCodes() const
{
    const auto catalogue = effects::EffectCatalogue();
    std::vector<int> codes;
    codes.reserve(catalogue.size());
    const int first = list_ ? std::clamp(list_->list().firstVisible(), 0, int(catalogue.size())) : 0;
    for (std::size_t i = std::size_t(first); i < catalogue.size(); ++i)
        codes.push_back(catalogue[i].code);
    for (std::size_t i = 0; i < std::size_t(first); ++i)
        codes.push_back(catalogue[i].code);
    return codes;
}

void EffectPreviewList::step()
{
    if (!list_ || !thumbnails_) {
        timer_.stop();
        return;
    }
    const SharedPicture current = source_ ? source_() : SharedPicture();
    if (!thumbnails_->follows(current)) {
        thumbnails_->setPicture(current);
        list_->popup().update();
    }
    const std::optional<int> done = thumbnails_->computeNext(wantedCodes());
    if (!done) {
        timer_.setInterval(kWatchMilliseconds);
        return;
    }
    const auto catalogue = effects::EffectCatalogue();
    const auto it = std::find_if(catalogue.begin(), catalogue.end(), [&](const effects::EffectEntry& e) { return e.code == *done; });
    list_->updateItem(int(it - catalogue.begin()));
    timer_.setInterval(0);
}

}  // namespace lv::app

#pragma once
// The effects list's row pictures: each effect shown on the current picture at the current
// strength. Opening the list costs one scaling of the picture; the effects are computed one
// per turn of the event loop, the rows in sight first, and a change of the current picture
// (another window, an applied change, an undo) starts them afresh.

#include "app/core/effect_thumbnails.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QTimer>

#include <functional>
#include <optional>
#include <vector>

namespace lv::app {

class SkinListBox;

class EffectPreviewList final : public QObject {
public:
    using PictureSource = std::function<SharedPicture()>;
    // `source` answers the current layer's picture of the active window (empty for none).
    explicit EffectPreviewList(PictureSource source);
    ~EffectPreviewList() override;

    // Draws the previews in this list (the effects screen's) from now on.
    void attach(SkinListBox& list);
    void setStrength(int strength);
    // Stops computing until attached again (the screen was left).
    void stop();

    // The row picture of catalogue item `item`; null until computed.
    QImage picture(int item) const;
    bool busy() const;

private:
    void step();
    std::vector<int> wantedCodes() const;

    PictureSource source_;
    QPointer<SkinListBox> list_;
    std::optional<EffectThumbnails> thumbnails_;
    QSize box_;
    QTimer timer_;
};

}  // namespace lv::app

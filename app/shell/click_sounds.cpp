#include "app/shell/click_sounds.h"

#include <QUrl>

namespace lv::app {

void ClickSounds::play(std::string_view file)
{
    auto it = effects_.find(file);
    if (it == effects_.end()) {
        auto effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(QString::fromStdString((folder_ / std::string(file)).string())));
        it = effects_.emplace(std::string(file), std::move(effect)).first;
    }
    // A click that comes while the last one still sounds starts it again, as the system's
    // own sound call does.
    it->second->stop();
    it->second->play();
}

}  // namespace lv::app

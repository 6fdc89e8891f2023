#include "app/widgets/skin_list_boxes.h"

#include "app/skin/list_box_registry.h"
#include "app/widgets/qt_geometry.h"

namespace lv::app {

SkinListBoxes::SkinListBoxes(PopupLoader loadPopup, Notify notify)
    : loadPopup_(std::move(loadPopup))
    , notify_(std::move(notify))
{
}

void SkinListBoxes::attach(SkinPanelWidget& panel)
{
    for (const skin::ListBoxEntry& entry : skin::ListBoxEntries())
        if (entry.hostPanel == panel.panel())
            create(panel, entry.controlId);
}

void SkinListBoxes::detach(const SkinPanelWidget& panel)
{
    for (auto it = shown_.begin(); it != shown_.end();) {
        if (!it->second || it->second->parentWidget() == &panel)
            it = shown_.erase(it);
        else
            ++it;
    }
}

skin::ListBox* SkinListBoxes::list(int controlId)
{
    const skin::ListBoxEntry* entry = skin::FindListBox(controlId);
    if (!entry)
        return nullptr;
    std::unique_ptr<skin::ListBox>& list = lists_[controlId];
    if (!list)
        list = std::make_unique<skin::ListBox>(controlId, skin::ListLayoutOf(entry->popupPanel).visibleRows);
    return list.get();
}

SkinListBox* SkinListBoxes::shown(int controlId) const
{
    const auto it = shown_.find(controlId);
    return it == shown_.end() ? nullptr : it->second.data();
}

SkinListBox* SkinListBoxes::create(SkinPanelWidget& panel, int controlId)
{
    const skin::ListBoxEntry* entry = skin::FindListBox(controlId);
    const std::optional<QRect> place = panel.controlRect(controlId);
    if (!entry || !place || shown(controlId))
        return nullptr;
    const skin::LoadedPanel popup = loadPopup_(entry->popupPanel);
    auto* box = new SkinListBox(panel, *list(controlId), popup, notify_);  // owned by the panel window
    box->setGeometry(QRect(place->topLeft(), box->size()));
    box->show();
    shown_[controlId] = box;
    return box;
}

}  // namespace lv::app

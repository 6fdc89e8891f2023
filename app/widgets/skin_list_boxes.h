#pragma once
// The list boxes of the main window's screens, by control id. A list's items stay from its
// first use to the end of the program; the list box is shown on its panel, at the place of
// the panel's region of its id, whenever that panel is.

#include "app/skin/list_box.h"
#include "app/skin/panel_loader.h"
#include "app/widgets/skin_list_box.h"

#include <QPointer>

#include <functional>
#include <map>
#include <memory>

namespace lv::app {

class SkinListBoxes {
public:
    using PopupLoader = std::function<skin::LoadedPanel(int popupPanel)>;
    using Notify = SkinListBox::Notify;

    SkinListBoxes(PopupLoader loadPopup, Notify notify);

    // Shows the list boxes this panel holds.
    void attach(SkinPanelWidget& panel);
    // The panel leaves the screen (its window goes once its events are over): its list boxes
    // no longer count as shown.
    void detach(const SkinPanelWidget& panel);
    // Creates the list box `controlId` on the panel at its region; null (and nothing made)
    // when that list box is already shown, the registry has no entry for the id or the panel
    // has no such region.
    SkinListBox* create(SkinPanelWidget& panel, int controlId);

    // The items of a list box, whether or not it shows; null for an id without an entry.
    skin::ListBox* list(int controlId);
    // The list box shown for the id, or null.
    SkinListBox* shown(int controlId) const;

private:
    PopupLoader loadPopup_;
    Notify notify_;
    std::map<int, std::unique_ptr<skin::ListBox>> lists_;
    std::map<int, QPointer<SkinListBox>> shown_;
};

}  // namespace lv::app

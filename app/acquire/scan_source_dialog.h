#pragma once
// The acquisition page's list of scanners: the sources by name, the chosen or default one
// selected.

#include "acquire/twain_session.h"

#include <optional>

class QWidget;

namespace lv::app {

// The chosen entry, or nothing when cancelled or the list is empty (a beep then).
std::optional<int> RunScanSourceDialog(QWidget* parent, const twain::SourceList& list, std::optional<int> current);

}  // namespace lv::app

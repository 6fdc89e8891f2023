#include "imagelib/codecs/photocd/photo_cd_options.h"

#include <algorithm>

namespace lv {
namespace {

// The process-wide choices, mode and dialog.
PhotoCdChoices storedChoices;
int optionMode = kPhotoCdAsk;
PhotoCdOptionsDialog* installedDialog = nullptr;

}  // namespace

PhotoCdChoices StoredPhotoCdChoices()
{
    return storedChoices;
}

void SetStoredPhotoCdChoices(PhotoCdChoices choices)
{
    storedChoices.format = std::clamp(choices.format, 0, 1);
    storedChoices.resolution = std::clamp(choices.resolution, 0, 4);
}

int PhotoCdMode()
{
    return optionMode;
}

void SetPhotoCdMode(int mode)
{
    optionMode = mode;
}

ScopedPhotoCdMode::ScopedPhotoCdMode(int mode)
    : previous_(optionMode)
{
    optionMode = mode;
}

ScopedPhotoCdMode::~ScopedPhotoCdMode()
{
    optionMode = previous_;
}

PhotoCdOptionsDialog* CurrentPhotoCdOptionsDialog()
{
    return installedDialog;
}

ScopedPhotoCdOptionsDialog::ScopedPhotoCdOptionsDialog(PhotoCdOptionsDialog& dialog)
    : previous_(installedDialog)
{
    installedDialog = &dialog;
}

ScopedPhotoCdOptionsDialog::~ScopedPhotoCdOptionsDialog()
{
    installedDialog = previous_;
}

}  // namespace lv

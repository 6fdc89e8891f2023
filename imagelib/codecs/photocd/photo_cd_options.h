#pragma once
// The Photo CD choices kept while the program runs, and who may be asked to change them.

#include <optional>

namespace lv {

struct PhotoCdChoices {
    int format = 0;      // 0 colour, 1 grey
    int resolution = 2;  // 0 Base/16 ... 2 Base ... 4 16Base
};

// How the next read picks its options.
enum PhotoCdOptionMode : int {
    kPhotoCdAsk = 0,       // offer the stored choices for change first
    kPhotoCdStored = 1,    // the stored choices as they are
    kPhotoCdBase = 2,      // Base resolution in colour, without asking
    // Any other value: Base/16 in colour.
};

PhotoCdChoices StoredPhotoCdChoices();
void SetStoredPhotoCdChoices(PhotoCdChoices choices);
int PhotoCdMode();
void SetPhotoCdMode(int mode);

// Sets the mode for a scope and puts the previous one back.
class ScopedPhotoCdMode {
public:
    explicit ScopedPhotoCdMode(int mode);
    ~ScopedPhotoCdMode();
    ScopedPhotoCdMode(const ScopedPhotoCdMode&) = delete;
    ScopedPhotoCdMode& operator=(const ScopedPhotoCdMode&) = delete;

private:
    int previous_;
};

// The options dialog, which the application provides; the image library only asks.
class PhotoCdOptionsDialog {
public:
    virtual ~PhotoCdOptionsDialog() = default;
    // The choices the user confirmed, or nothing when the dialog was cancelled.
    virtual std::optional<PhotoCdChoices> offer(const PhotoCdChoices& current) = 0;
};

// Without an installed dialog the stored choices are taken as offered.
PhotoCdOptionsDialog* CurrentPhotoCdOptionsDialog();

// Installs a dialog for the guard's lifetime, restoring the previous one after.
class ScopedPhotoCdOptionsDialog {
public:
    explicit ScopedPhotoCdOptionsDialog(PhotoCdOptionsDialog& dialog);
    ~ScopedPhotoCdOptionsDialog();
    ScopedPhotoCdOptionsDialog(const ScopedPhotoCdOptionsDialog&) = delete;
    ScopedPhotoCdOptionsDialog& operator=(const ScopedPhotoCdOptionsDialog&) = delete;

private:
    PhotoCdOptionsDialog* previous_;
};

}  // namespace lv

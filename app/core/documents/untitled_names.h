#pragma once
// Names of documents that have no file yet, the modified state of a window, and the question
// asked when a changed or new document closes.

#include <optional>
#include <string>
#include <string_view>

namespace lv {

// Bases of untitled names in the string table.
inline constexpr int kNewPictureBaseString = 162;     // "TrueColor-Sem título"
inline constexpr int kCaptureBaseString = 113;        // "Capturado - Sem título"
inline constexpr int kMaskBaseString = 2327;          // "Máscara-Sem título"
inline constexpr int kScannedBaseString = 2328;       // "Digitalizado-Sem título"
// The base of a second copy of a file that is already shown.
inline constexpr std::string_view kSecondCopyBase = "Cópia-Sem título";

// The process-wide counter behind untitled names: 01, 02, ... 99, then 00, 01, ...
class UntitledNames {
public:
    std::string next(std::string_view base);
    std::string next(int baseStringId);
    // A document that comes back under an untitled name of an earlier run (a recovery copy)
    // moves the counter past its number, so the next new document doesn't take the same name.
    void passOver(std::string_view title);

private:
    int counter_ = 1;
};

UntitledNames& ProcessUntitledNames();

enum class ModifiedState { Unchanged = 0, Modified = 1, New = 2 };

// A title that is not a file path and carries "Sem título-" names a document never saved.
bool IsUntitledTitle(std::string_view title);
ModifiedState DocumentModifiedState(std::string_view title, bool modifiedFlag);

// The close question: strings 2322 + title + 2363 (modified) or 2364 (new); nothing when
// the window closes without asking (unchanged, no layers, or the main window busy).
std::optional<std::string> ClosePromptText(std::string_view title, ModifiedState state, bool hasLayers,
                                           bool mainWindowBusy);

}  // namespace lv

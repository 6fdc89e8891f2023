#pragma once
// The Save-as dialog with its options panel: "&Comprimir" for TIFF and Targa, "&Entrelaçar"
// and "&Transparente" for GIF, the quality for JPEG, WebP, AVIF, JPEG XL and HEIC, "Sem &perdas"
// for WebP and JPEG XL, "Remover informações pessoais" for JPEG, TIFF and PNG. A typed extension
// chooses the format
// (ResolveSaveAsName); an unknown one keeps the dialog open. The layered format for a document
// without layers, or a flat one for a document of several, is questioned before it closes,
// and so is a name that would replace a file. A preview shows the picture chosen.

#include <QFileDialog>

#include <optional>
#include <string>

class QCheckBox;
class QLabel;
class QScrollBar;

namespace lv::app {

struct SaveAsChoice {
    std::string path;  // with the type's extension when the name had none
    int saveType = 0;  // the typed extension's type, else the list's; 0 for an unknown extension
    bool removePersonal = false;  // "Remover informações pessoais": no GPS or serials in the file
};

class SaveAsDialog final : public QFileDialog {
public:
    // `type` is the type chosen at first; 0 for the document's own (InitialSaveAsType).
    SaveAsDialog(QWidget* parent, const std::string& currentName, int layerCount, int type = 0);

    int selectedType() const;
    std::optional<SaveAsChoice> choice() const;

    void accept() override;

private:
    void showOptionsFor(int type);
    void setQuality(int quality);
    void storeOptions(int type);

    int layerCount_;
    QCheckBox* firstCheck_;    // 1403
    QLabel* qualityLabel_;     // 1404
    QScrollBar* qualityBar_;   // 1405
    QCheckBox* secondCheck_;   // 1406
    QCheckBox* losslessCheck_; // WebP and JPEG XL
    QCheckBox* personalCheck_; // for the formats that keep a photo's metadata
};

// "O arquivo ... já existe. Deseja substituí-lo?" when `path` names an existing file; true to
// go on (no such file, or "Sim").
bool ConfirmReplacing(const std::string& path);

// Runs the dialog; the choice, or nothing when cancelled. The options go to the
// process-wide Save-as options and the type becomes the current save type.
std::optional<SaveAsChoice> RunSaveAsDialog(QWidget* parent, const std::string& currentName, int layerCount,
                                            int type = 0);

}  // namespace lv::app

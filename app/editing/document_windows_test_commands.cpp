// The image windows' commands for the test driver (test builds only): documents, layers, the
// clipboard, the dialogs and pictures of what the program shows, each answered in the log.

#include "app/editing/document_windows.h"

#include "app/core/documents/document_files.h"
#include "app/editing/image_window.h"
#include "app/shell/main_window.h"
#include "app/widgets/dib_image.h"
#include "edit/layer_commands.h"
#include "edit/layers.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/codecs/save_as_names.h"
#include "imagelib/dib_geometry.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <map>

namespace lv::app {
namespace {

QString Outcome(bool ok)
{
    return ok ? QStringLiteral("ok") : QStringLiteral("failed");
}

}  // namespace

// Runs a dialog after the test command has been answered, logging when it shows and closes.
void DocumentWindows::runDialogForTest(const QString& which)
{
    QTimer::singleShot(0, mainWindow_, [this, which] {
        QTimer::singleShot(0, mainWindow_, [this] {
            if (const QWidget* modal = QApplication::activeModalWidget())
                hooks_.log(QStringLiteral("dialog ") + modal->objectName());
        });
        if (which == QLatin1String("saveas")) {
            if (ImageWindow* window = active())
                hooks_.log(QStringLiteral("saved %1").arg(Outcome(saveAs(*window))));
        } else if (which == QLatin1String("new")) {
            newPicture();
        } else if (which == QLatin1String("open")) {
            openWithDialog(false);
        }
        hooks_.log(QStringLiteral("dialog closed"));
        logState();
    });
}

// The main window as the screen shows it.
bool DocumentWindows::grabForTest(const std::string& path) const
{
    if (!mainWindow_)
        return false;
    const QRect g = mainWindow_->geometry();
    QScreen* screen = mainWindow_->QWidget::screen();
    const QPixmap shot = screen ? screen->grabWindow(0, g.x(), g.y(), g.width(), g.height()) : QPixmap();
    HDIB picture = ImageToDib(shot.toImage());
    return picture && WriteBmp(path, picture) == WriteResult::Written;
}

bool DocumentWindows::handleTestCommand(const QString& command)
{
    const QStringList words = command.split(' ');
    const QString verb = words.value(0);
    const std::string rest = command.section(' ', 1).toStdString();
    ImageWindow* window = active();
    if (verb == "open") {
        openDocument(rest);
    } else if (verb == "state") {
    } else if (verb == "zoom" && window) {
        window->zoomStep(words.value(1).toInt());
    } else if (verb == "zoomset") {
        zoomCommand(words.value(1).toInt());
    } else if (verb == "undo") {
        undo();
    } else if (verb == "redo") {
        redo();
    } else if (verb == "addlayer" && window) {
        LayerStack& doc = window->document();
        const std::uint32_t blue = 0xFF0000;
        AddLayer(doc, 0, DibCreate(std::max(doc.width / 2, 1), std::max(doc.height / 2, 1), blue, false), {}, true, false);
        window->documentChanged();
    } else if (verb == "deletelayer" && window) {
        DeleteLayer(window->document(), window->document().currentLayer, true);
        window->documentChanged();
    } else if (verb == "saveas" && window) {
        // "saveas TYPE PATH": the Save-as dialog's OK with that type in the list and that name.
        const SaveAsTarget target = ResolveSaveAsName(command.section(' ', 2).toStdString(), words.value(1).toInt());
        const bool saved = target.type != 0 && AcceptSaveAsType(target.type, window->document().layerCount)
                           && writeAs(*window, target.path, target.type);
        hooks_.log(QStringLiteral("saved %1").arg(Outcome(saved)));
    } else if (verb == "save" && window) {
        hooks_.log(QStringLiteral("saved %1").arg(Outcome(save(*window))));
    } else if (verb == "palette") {
        showLayerPalette(words.value(1) == QLatin1String("show"));
    } else if (verb == "copy") {
        copy();
    } else if (verb == "paste") {
        paste();
    } else if (verb == "layer" && window) {
        // "layer new|duplicate|merge|flatten|up|down": the layer commands of the editing screen.
        const QString which = words.value(1);
        const std::map<QString, std::function<bool(LayerStack&)>> commands = {
            {"new", NewTransparentLayer},
            {"duplicate", DuplicateCurrentLayer},
            {"merge", MergeDown},
            {"flatten", FlattenLayers},
            {"up", [](LayerStack& d) { return MoveCurrentLayer(d, true); }},
            {"down", [](LayerStack& d) { return MoveCurrentLayer(d, false); }},
        };
        const auto it = commands.find(which);
        if (it == commands.end() || !layerCommand(it->second))
            hooks_.log(QStringLiteral("layer %1 refused").arg(which));
    } else if (verb == "close") {
        closeActive();
    } else if (verb == "tool") {
        chooseTool(words.value(1).toInt());
        return true;
    } else if (verb == "dialog") {
        runDialogForTest(words.value(1));
        return true;
    } else if (verb == "grab") {
        hooks_.log(QStringLiteral("grabbed %1").arg(Outcome(grabForTest(rest))));
        return true;
    } else if (verb == "dump" && window) {
        const LayerStack& doc = window->document();
        HDIB copy = DibScaledCopy(doc.composite, doc.width, doc.height, false);
        hooks_.log(QStringLiteral("dumped %1").arg(Outcome(WriteBmp(rest, copy) == WriteResult::Written)));
        return true;
    } else {
        return false;
    }
    logState();
    return true;
}

}  // namespace lv::app

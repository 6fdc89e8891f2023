// The recovery service's command for the test driver (test builds only): a brush stroke without
// a brush, so the tests can make a document due for a recovery copy.

#include "app/recovery/recovery_service.h"

#include "app/editing/document_windows.h"
#include "app/editing/image_window.h"
#include "edit/undo_hooks.h"

namespace lv::app {
namespace {

constexpr int kPaintStepCode = 1001;  // a change of the current layer's pixels

}  // namespace

bool RecoveryService::handleTestCommand(const QString& command)
{
    const QStringList words = command.split(' ');
    if (words.value(0) != QLatin1String("paint"))
        return false;
    const bool painted = paint(words);
    hooks_.log(QStringLiteral("painted %1").arg(painted ? "ok" : "failed"));
    return true;
}

bool RecoveryService::paint(const QStringList& words)
{
    ImageWindow* window = documents_.active();
    bool ok = window && (words.size() == 6 || words.size() == 7);
    int numbers[4] = {};
    for (int i = 0; ok && i < 4; ++i)
        numbers[i] = words[i + 1].toInt(&ok);
    const unsigned colour = ok ? words[5].toUInt(&ok, 16) : 0;
    const int strokes = ok && words.size() == 7 ? words[6].toInt(&ok) : 1;
    if (!ok || strokes < 1)
        return false;
    LayerStack& document = window->document();
    if (!IsLayerIndex(document, document.currentLayer) || document.bitCount != 24)
        return false;
    LayerRecord& layer = document.layers[std::size_t(document.currentLayer)];
    for (int i = 0; i < strokes; ++i)
        RecordUndoStep(document, kPaintStepCode);
    HDIB& image = layer.image.write();
    // Document rows count from the top; the layer stands `y` rows above the document's bottom.
    const int layerTop = document.height - layer.y - image.height();
    for (int row = numbers[1]; row < numbers[1] + numbers[3]; ++row) {
        const int y = row - layerTop;
        if (y < 0 || y >= image.height())
            continue;
        std::uint8_t* pixels = image.row(image.height() - 1 - y);
        for (int column = numbers[0]; column < numbers[0] + numbers[2]; ++column) {
            const int x = column - layer.x;
            if (x < 0 || x >= image.width())
                continue;
            pixels[3 * x] = std::uint8_t(colour);
            pixels[3 * x + 1] = std::uint8_t(colour >> 8);
            pixels[3 * x + 2] = std::uint8_t(colour >> 16);
        }
    }
    window->documentChanged();
    return true;
}

}  // namespace lv::app

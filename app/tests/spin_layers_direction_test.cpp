// "Girar todas as camadas" through the image screen's button: a positive angle turns the
// picture anticlockwise, as the dial above the field grows, and the dialog says so.

#include "app/tests/editing_window.h"
#include "app/editing/document_windows.h"
#include "app/editing/image_window.h"
#include "app/shell/handler_table.h"
#include "app/shell/main_window.h"
#include "app/skin/handlers.h"
#include "edit/compositing.h"
#include "edit/layers.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/tests/pictures.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

using lv::testing::Pixel24;
using lv::testing::Rgb;
using lv::testing::SetPixel24;

// A white 61 × 61 picture with a red dot 20 pixels right of its centre.
struct SpinLayersDirection : ::testing::Test, BareEditingWindow {
    SpinLayersDirection()
    {
        HDIB picture = DibCreate(61, 61, 0xFFFFFF, false);
        SetPixel24(picture, 50, 30, {255, 0, 0});
        auto stack = CreateLayerStackFromImage(std::move(picture));
        CompositeLayers(*stack);
        documents.openDocumentWindow(std::move(stack), "giro");
    }

    // Answers the dialog with `degrees`, reading its row first.
    void spin(int degrees)
    {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            auto* angle = dialog->findChild<QSpinBox*>(QStringLiteral("angle"));
            auto* direction = dialog->findChild<QLabel*>(QStringLiteral("direction"));
            if (!angle || !direction) {
                ADD_FAILURE() << "no angle field or no direction beside it";
                dialog->reject();
                return;
            }
            EXPECT_EQ(direction->text(), QStringLiteral("sentido anti-horário"));
            const QRect field = angle->geometry();
            const QRect said = direction->geometry();
            EXPECT_TRUE(said.top() < field.bottom() && field.top() < said.bottom()) << "on the field's line";
            EXPECT_GE(said.left(), field.right()) << "right after the field";
            angle->setValue(degrees);
            for (QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons())
                if (button->text() == QStringLiteral("OK"))
                    button->click();
            if (dialog->isVisible())
                dialog->reject();
        });
        main.handlers().call(skin::Handler::RotateAllLayers);
    }

    // The reddest pixel of the composite, rows from the top, relative to the centre.
    std::pair<double, double> dotFromCentre()
    {
        const LayerStack& d = documents.active()->document();
        const HDIB& composite = d.composite;
        int best = -1000;
        std::pair<double, double> at{};
        for (int y = 0; y < composite.height(); ++y)
            for (int x = 0; x < composite.width(); ++x) {
                const Rgb c = Pixel24(composite, x, y);
                if (c.r - (c.g + c.b) / 2 > best) {
                    best = c.r - (c.g + c.b) / 2;
                    at = {x - composite.width() / 2.0, (composite.height() - 1 - y) - composite.height() / 2.0};
                }
            }
        return at;
    }
};

TEST_F(SpinLayersDirection, APositiveAngleTurnsAnticlockwiseSoTheRightSideRises)
{
    spin(90);
    const auto [right, down] = dotFromCentre();
    EXPECT_NEAR(right, 0, 1.5);
    EXPECT_LT(down, -15) << "the dot right of the centre is now above it";
}

}  // namespace
}  // namespace lv::app

// The strip over the workspace: its "×" at both ends closes the active picture, asking as
// "Fechar imagem" does, and its lamp says whether that picture has changes not saved.

#include "app/editing/image_window.h"
#include "app/tests/editing_window.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

namespace lv::app {
namespace {

constexpr int kLeftClose = 209;
constexpr int kRightClose = 210;

struct WorkspaceStrip : EditingWindow {
    void SetUp() override
    {
        EditingWindow::SetUp();
        ASSERT_TRUE(window.switchScreen(2));
        open(0x808080, "/fotos/praia.bmp");
    }

    SkinPanelWidget& base() const { return *window.skin()->panelAt(0); }
    void click(int control)
    {
        QTest::mouseClick(&base(), Qt::LeftButton, Qt::NoModifier, window.controlRect(control)->center());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QString lampTip()
    {
        const QPoint lamp = window.controlRect(kIndicatorControl)->center();
        QHelpEvent help(QEvent::ToolTip, lamp, base().mapToGlobal(lamp));
        QApplication::sendEvent(&base(), &help);
        const QString tip = QToolTip::text();
        QToolTip::hideText();
        return tip;
    }
};

TEST_F(WorkspaceStrip, EitherCrossClosesTheActivePictureAskingFirstWhenItChanged)
{
    const QPoint cross = window.controlRect(kLeftClose)->center();
    QMouseEvent move(QEvent::MouseMove, cross, base().mapToGlobal(cross), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&base(), &move);
    EXPECT_EQ(window.statusText().trimmed(), QStringLiteral("Fechar imagem")) << "its tip";
    EXPECT_FALSE(window.indicatorLit());
    EXPECT_EQ(lampTip(), QStringLiteral("A imagem não tem alterações por salvar"));

    window.handlers().call(skin::Handler::FlipHorizontal);
    EXPECT_TRUE(window.indicatorLit());
    EXPECT_EQ(lampTip(), QStringLiteral("A imagem tem alterações não salvas"));

    ui.answers = {ui::Answer::Cancel};
    click(kLeftClose);
    EXPECT_EQ(ui.messages.size(), 1u) << "the question of \"Fechar imagem\"";
    EXPECT_EQ(documents.count(), 1);
    EXPECT_EQ(ui.beeps, 0) << "a cancelled close is no refusal";

    ui.answers = {ui::Answer::No};
    click(kRightClose);
    EXPECT_EQ(documents.count(), 0);
    EXPECT_FALSE(window.indicatorLit());
    EXPECT_EQ(lampTip(), QStringLiteral("Nenhuma imagem aberta"));
    click(kLeftClose);
    EXPECT_EQ(ui.beeps, 0);
}

}  // namespace
}  // namespace lv::app

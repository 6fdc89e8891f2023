#include "panel_painter.h"

#include "app/skin/button_table.h"
#include "app/skin/list_box_registry.h"
#include "app/widgets/qt_geometry.h"
#include "icons.h"
#include "theme.h"

#include <QPainterPath>
#include <QtMath>

namespace lv::skingen {
namespace {

using namespace palette;
using skin::ButtonKind;
using skin::ButtonStyle;
using skin::SkinVariant;

constexpr int kSectionStripHeight = 34;
constexpr int kHostedAreaTop = 256;  // where second panels cover panels 1, 9 and 12

std::optional<QRect> ControlRect(int panel, int control, SkinVariant variant)
{
    const int i = skin::ButtonIndexByControl(panel, control);
    if (i < 0)
        return std::nullopt;
    return app::ToQRect(skin::PanelButtons(panel)[std::size_t(i)].placeIn(variant));
}

// A picture in one colour with a painter on it that smooths shapes and letters; `take` ends
// the painting and hands the picture over.
class Canvas {
public:
    Canvas(QSize size, const QColor& fill)
        : image_(size, QImage::Format_RGB32)
    {
        image_.fill(fill);
        painter_.begin(&image_);
        painter_.setRenderHint(QPainter::Antialiasing);
        painter_.setRenderHint(QPainter::TextAntialiasing);
    }
    QPainter& painter() { return painter_; }
    QImage take()
    {
        painter_.end();
        return std::move(image_);
    }

private:
    QImage image_;
    QPainter painter_;
};

QSize WindowSize(SkinVariant variant)
{
    const auto size = skin::MainWindowSize(variant);
    return {size.width, size.height};
}

void Card(QPainter& p, const QRectF& r, qreal radius, const QColor& fill, const QColor& edge)
{
    p.setPen(QPen(edge, 1));
    p.setBrush(fill);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

void Label(QPainter& p, const QRectF& r, const QString& text, const QFont& font, const QColor& colour,
           int flags = Qt::AlignLeft | Qt::AlignVCenter)
{
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, flags | Qt::TextWordWrap, text);
}

void DrawWordmark(QPainter& p, const QRectF& box, qreal height, const QString& suffix)
{
    DrawLogoMark(p, QRectF(box.left(), box.center().y() - height / 2, height, height));
    const QFont name = UiFont(height * 0.62, QFont::Bold);
    const qreal x = box.left() + height + 10;
    Label(p, QRectF(x, box.top(), box.width(), box.height()), QStringLiteral("Lumivista"), name, kText);
    const qreal nameWidth = QFontMetricsF(name).horizontalAdvance(QStringLiteral("Lumivista "));
    Label(p, QRectF(x + nameWidth, box.top(), box.width(), box.height()), suffix, UiFont(height * 0.62, QFont::Light),
          kAccent);
}

void TitleBar(QPainter& p, int width, int height, const QString& suffix)
{
    QLinearGradient title(0, 0, 0, height);
    title.setColorAt(0, kTitleTop);
    title.setColorAt(1, kTitleBottom);
    p.fillRect(QRect(0, 0, width, height), title);
    p.fillRect(QRect(0, height - 1, width, 1), kPanelEdge);
    DrawWordmark(p, QRectF(14, 0, 200, height), height * 0.5, suffix);
}

void BottomBar(QPainter& p, int width, int top, int height)
{
    QLinearGradient bar(0, top, 0, top + height);
    bar.setColorAt(0, kTitleBottom);
    bar.setColorAt(1, kTitleTop);
    p.fillRect(QRect(0, top, width, height), bar);
    p.fillRect(QRect(0, top, width, 1), kPanelEdge);
}

// The title and bottom bars of the two window panels; where the bottom bar starts.
int WindowBars(QPainter& p, SkinVariant variant)
{
    const bool large = variant == SkinVariant::Large;
    const QSize size = WindowSize(variant);
    TitleBar(p, size.width(), large ? 64 : 56, QStringLiteral("2000"));
    const int bottomTop = large ? 700 : 544;
    BottomBar(p, size.width(), bottomTop, size.height() - bottomTop);
    return bottomTop;
}

// The left column of the start screen; the cards under its heading are buttons that lead to
// the five areas.
void WelcomeCard(QPainter& p, const QRect& area)
{
    Card(p, area, 10, kPanel, kPanelEdge);
    Label(p, QRectF(area.left() + 16, area.top() + 14, area.width() - 32, 26), QStringLiteral("Bem-vindo"),
          UiFont(19, QFont::Bold), kText);
    Label(p, QRectF(area.left() + 16, area.top() + 42, area.width() - 32, 40),
          QStringLiteral("Escolha uma área para começar."), UiFont(12), kTextDim, Qt::AlignLeft | Qt::AlignTop);
}

QImage MainWindow(SkinVariant variant)
{
    const bool large = variant == SkinVariant::Large;
    const QSize size = WindowSize(variant);
    Canvas canvas(size, kWindow);
    QPainter& p = canvas.painter();
    const int bottomTop = WindowBars(p, variant);

    WelcomeCard(p, *ControlRect(0, 101, variant));

    const QRect workspace = *ControlRect(0, 100, variant);
    const QRect status = *ControlRect(0, 202, variant);
    Card(p, QRectF(workspace.left(), status.top(), workspace.width(), workspace.bottom() - status.top() + 1), 8, kPanel,
         kPanelEdge);
    QLinearGradient well(workspace.topLeft(), workspace.bottomLeft());
    well.setColorAt(0, kWell);
    well.setColorAt(1, Mix(kWell, kPanel, 0.35));
    p.setPen(Qt::NoPen);
    p.setBrush(well);
    p.drawRoundedRect(QRectF(workspace).adjusted(2, 0, -2, -2), 6, 6);

    const QRect colours = *ControlRect(0, 142, variant);
    Card(p, colours, 8, kPanel, kPanelEdge);
    if (large)
        Label(p, QRectF(colours.left() + 12, colours.top() + 6, 120, 18), QStringLiteral("Cores"), UiFont(11, QFont::DemiBold),
              kTextDim);

    // Separators between the groups of the bottom bar.
    p.setPen(QPen(kPanelEdge, 1));
    const int separatorTop = bottomTop + (large ? 16 : 12);
    const int separatorBottom = size.height() - (large ? 16 : 12);
    for (const int control : {133, 138, 139}) {
        const QRect r = *ControlRect(0, control, variant);
        const int x = r.right() + (large ? 12 : 8);
        p.drawLine(x, separatorTop, x, separatorBottom);
    }
    if (large)
        Label(p, QRectF(860, bottomTop, 150, size.height() - bottomTop), QStringLiteral("Fotos, álbuns e projetos"),
              UiFont(11), kTextFaint, Qt::AlignRight | Qt::AlignVCenter);
    return canvas.take();
}

void FeatureCard(QPainter& p, const QRectF& r, const char* icon, const char* title, const char* text, const QColor& colour)
{
    Card(p, r, 10, Mix(kPanel, colour, 0.06), Mix(kPanelEdge, colour, 0.3));
    DrawIcon(p, icon, QRectF(r.left() + 18, r.top() + 18, 30, 30), colour);
    Label(p, QRectF(r.left() + 18, r.top() + 58, r.width() - 36, 22), QString::fromUtf8(title), UiFont(15, QFont::Bold), kText);
    Label(p, QRectF(r.left() + 18, r.top() + 84, r.width() - 36, r.height() - 96), QString::fromUtf8(text), UiFont(12),
          kTextDim, Qt::AlignLeft | Qt::AlignTop);
}

void Tip(QPainter& p, const QRectF& r, const char* icon, const char* text, const QColor& colour)
{
    DrawIcon(p, icon, QRectF(r.left(), r.top() + 2, 18, 18), colour);
    Label(p, QRectF(r.left() + 28, r.top(), r.width() - 28, r.height()), QString::fromUtf8(text), UiFont(12), kTextDim,
          Qt::AlignLeft | Qt::AlignTop);
}

QImage InternetWindow(SkinVariant variant)
{
    const bool large = variant == SkinVariant::Large;
    const QSize size = WindowSize(variant);
    Canvas canvas(size, kWindow);
    QPainter& p = canvas.painter();
    const int bottomTop = WindowBars(p, variant);
    const QColor colour = AreaColour(skin::ScreenArea::Share);
    Label(p, QRectF(16, bottomTop, size.width() - 32, size.height() - bottomTop),
          QStringLiteral("Seus links, álbuns para a Web e animações em um só lugar"), UiFont(12), kTextFaint,
          Qt::AlignLeft | Qt::AlignVCenter);

    const QRect column = *ControlRect(28, 198, variant);
    Card(p, column, 10, kPanel, kPanelEdge);
    DrawIcon(p, "web", QRectF(column.left() + 20, column.top() + 24, 40, 40), colour);
    Label(p, QRectF(column.left() + 20, column.top() + 76, column.width() - 40, 60), QStringLiteral("Lumivista\nna Internet"),
          UiFont(18, QFont::Bold), kText, Qt::AlignLeft | Qt::AlignTop);
    Label(p, QRectF(column.left() + 20, column.top() + 136, column.width() - 40, 120),
          QStringLiteral("Guarde seus endereços favoritos, monte álbuns para a Web e crie animações com as suas fotos."),
          UiFont(12), kTextDim, Qt::AlignLeft | Qt::AlignTop);
    Label(p, QRectF(column.left() + 20, column.bottom() - 60, column.width() - 40, 40),
          QStringLiteral("Use \"Voltar\" para retornar às suas fotos."), UiFont(11), kTextFaint, Qt::AlignLeft | Qt::AlignTop);

    // The pages of screens 29–31 cover exactly this card.
    const QRectF content(column.right() + 11, column.top(), 560, column.height());
    Card(p, content, 10, kPanel, kPanelEdge);
    Label(p, QRectF(content.left() + 24, content.top() + 20, content.width() - 48, 34), QStringLiteral("Suas fotos na Internet"),
          UiFont(24, QFont::Bold), kText);
    Label(p, QRectF(content.left() + 24, content.top() + 58, content.width() - 48, 40),
          QStringLiteral("Escolha o que deseja fazer nas abas acima."), UiFont(13), kTextDim, Qt::AlignLeft | Qt::AlignTop);
    const qreal gap = 14;
    const qreal cardWidth = (content.width() - 48 - 2 * gap) / 3;
    const qreal top = content.top() + 110;
    FeatureCard(p, QRectF(content.left() + 24, top, cardWidth, 210), "link", "Links",
                "Até cinco endereços favoritos, abertos com um clique.", colour);
    FeatureCard(p, QRectF(content.left() + 24 + cardWidth + gap, top, cardWidth, 210), "web-album", "Álbum na Web",
                "Arraste fotos para montar um álbum e publique-o.", colour);
    FeatureCard(p, QRectF(content.left() + 24 + 2 * (cardWidth + gap), top, cardWidth, 210), "animation", "Animações",
                "Cartões animados para enviar aos amigos.", colour);
    DrawLogoMark(p, QRectF(content.center().x() - 40, content.bottom() - 130, 80, 80));

    if (large) {
        const QRectF tips(content.right() + 8, column.top(), size.width() - content.right() - 16, column.height());
        Card(p, tips, 10, kPanel, kPanelEdge);
        Label(p, QRectF(tips.left() + 18, tips.top() + 16, tips.width() - 36, 24), QStringLiteral("Dicas"),
              UiFont(16, QFont::Bold), kText);
        Tip(p, QRectF(tips.left() + 18, tips.top() + 56, tips.width() - 36, 90), "add-photo",
            "Arraste fotos do seu computador direto para a página do Álbum na Web.", colour);
        Tip(p, QRectF(tips.left() + 18, tips.top() + 156, tips.width() - 36, 90), "link",
            "Os links ficam guardados para a próxima vez que você usar o programa.", colour);
        Tip(p, QRectF(tips.left() + 18, tips.top() + 256, tips.width() - 36, 90), "help",
            "Pressione F1 em qualquer página para ver a ajuda dela.", colour);
        const QRectF banner(column.left(), column.bottom() + 9, size.width() - 2 * column.left(), bottomTop - column.bottom() - 17);
        QLinearGradient glow(banner.topLeft(), banner.topRight());
        glow.setColorAt(0, Mix(kPanel, colour, 0.18));
        glow.setColorAt(1, kPanel);
        p.setPen(QPen(kPanelEdge, 1));
        p.setBrush(glow);
        p.drawRoundedRect(banner.adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
        DrawIcon(p, "share", QRectF(banner.left() + 28, banner.center().y() - 28, 56, 56), colour);
        Label(p, QRectF(banner.left() + 110, banner.top() + 28, banner.width() - 140, 34),
              QStringLiteral("Compartilhe seus melhores momentos"), UiFont(22, QFont::Bold), kText);
        Label(p, QRectF(banner.left() + 110, banner.top() + 66, banner.width() - 140, 40),
              QStringLiteral("Publique álbuns, envie cartões animados e guarde os endereços que você mais visita."),
              UiFont(13), kTextDim, Qt::AlignLeft | Qt::AlignTop);
    }
    return canvas.take();
}

void FieldFrames(QPainter& p, int panel, const QColor& colour)
{
    for (const skin::ButtonDefinition& b : skin::PanelButtons(panel)) {
        if (b.kind != ButtonKind::Region)
            continue;
        const QRectF r = app::ToQRect(b.small);
        if (b.art.style == ButtonStyle::Field) {
            Label(p, QRectF(r.left() + 1, r.top() - 16, r.width(), 15), QtText(b.art.caption), UiFont(11, QFont::DemiBold), kTextDim);
            Card(p, r.adjusted(-1, -1, 1, 1), 5, kWell, kControlEdge);
        } else if (b.controlId == 211) {
            Card(p, r, 6, kWell, kControlEdge);
            Label(p, QRectF(r.left() + 10, r.top() + 6, r.width() - 20, 18), QStringLiteral("Endereços"),
                  UiFont(11, QFont::DemiBold), Mix(kTextDim, colour, 0.3));
        }
    }
}

void HostedAreaHint(QPainter& p, const QSize& size)
{
    const QRectF r(8, kHostedAreaTop + 4, size.width() - 16, size.height() - kHostedAreaTop - 12);
    p.setPen(QPen(kControlEdge, 1.2, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, 8, 8);
    DrawIcon(p, "go-up", QRectF(r.center().x() - 14, r.center().y() - 34, 28, 28), kTextFaint);
    Label(p, QRectF(r.left() + 16, r.center().y() + 2, r.width() - 32, 44),
          QStringLiteral("Escolha uma opção acima para ver os controles aqui."), UiFont(12), kTextFaint, Qt::AlignHCenter | Qt::AlignTop);
}

bool HasSectionStrip(int panel)
{
    const auto buttons = skin::PanelButtons(panel);
    return !buttons.empty() && buttons[0].art.style == ButtonStyle::SectionIcon;
}

QImage SidePanel(int panel)
{
    const skin::PanelDefinition& def = skin::Panel(panel);
    const QSize size(def.width, def.height);
    Canvas canvas(size, kWindow);
    QPainter& p = canvas.painter();
    const QColor colour = AreaColour(AreaOfPanel(panel));
    Card(p, QRectF(0, 0, size.width(), size.height()), 10, kPanel, kPanelEdge);
    int titleTop = 8;
    if (HasSectionStrip(panel)) {
        QPainterPath strip;
        strip.addRoundedRect(QRectF(1, 1, size.width() - 2, kSectionStripHeight + 8), 9, 9);
        p.save();
        p.setClipRect(QRectF(0, 0, size.width(), kSectionStripHeight));
        p.fillPath(strip, Mix(kPanel, kWell, 0.55));
        p.restore();
        p.fillRect(QRectF(1, kSectionStripHeight, size.width() - 2, 1), kPanelEdge);
        titleTop = kSectionStripHeight + 4;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(8, titleTop + 3, 3.5, 18), 1.75, 1.75);
    Label(p, QRectF(18, titleTop, size.width() - 26, 22), QtText(def.title), UiFont(15, QFont::Bold), kText);
    Label(p, QRectF(18, titleTop + 20, size.width() - 26, 16), QtText(def.subtitle), UiFont(11), kTextDim);
    FieldFrames(p, panel, colour);
    if (panel == 1 || panel == 9 || panel == 12)
        HostedAreaHint(p, size);
    return canvas.take();
}

QImage SubPanel(int panel)
{
    const skin::PanelDefinition& def = skin::Panel(panel);
    Canvas canvas(QSize(def.width, def.height), kWindow);
    QPainter& p = canvas.painter();
    const QColor colour = AreaColour(AreaOfPanel(panel));
    Card(p, QRectF(0, 0, def.width, def.height), 10, kSubPanel, Mix(kPanelEdge, colour, 0.35));
    p.fillRect(QRectF(1, 26, def.width - 2, 1), kPanelEdge);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(8, 6, 3.5, 15), 1.75, 1.75);
    Label(p, QRectF(18, 2, def.width - 50, 24), QtText(def.title), UiFont(13, QFont::Bold), kText);
    return canvas.take();
}

QImage ContentPage(int panel)
{
    const skin::PanelDefinition& def = skin::Panel(panel);
    Canvas canvas(QSize(def.width, def.height), kWindow);
    QPainter& p = canvas.painter();
    const QColor colour = AreaColour(AreaOfPanel(panel));
    Card(p, QRectF(0, 0, def.width, def.height), 10, kPanel, kPanelEdge);
    Label(p, QRectF(20, 12, def.width - 40, 30), QtText(def.title), UiFont(20, QFont::Bold), kText);
    Label(p, QRectF(20, 38, def.width - 40, 18), QtText(def.subtitle), UiFont(12), kTextDim);
    FieldFrames(p, panel, colour);
    if (panel == 30 || panel == 31) {
        const QRectF zone(20, 64, def.width - 40, 244);
        p.setPen(QPen(Mix(kControlEdge, colour, 0.4), 1.5, Qt::DashLine));
        p.setBrush(kWell);
        p.drawRoundedRect(zone, 10, 10);
        DrawIcon(p, panel == 30 ? "add-photo" : "animation", QRectF(zone.center().x() - 24, zone.center().y() - 46, 48, 48),
                 Mix(colour, kPanel, 0.2));
        Label(p, QRectF(zone.left(), zone.center().y() + 10, zone.width(), 24),
              panel == 30 ? QStringLiteral("Arraste as fotos do seu computador para cá")
                          : QStringLiteral("A animação escolhida aparece aqui"),
              UiFont(14, QFont::DemiBold), kTextDim, Qt::AlignHCenter | Qt::AlignVCenter);
    }
    return canvas.take();
}

// A list box's popup panel: a well with its title, on the colour of the panel that holds it.
QImage ListBox(int panel)
{
    const skin::PanelDefinition& def = skin::Panel(panel);
    const skin::ListBoxEntry* entry = skin::ListBoxOfPopup(panel);
    const bool onSubPanel = entry && skin::Panel(entry->hostPanel).style == skin::PanelStyle::SubPanel;
    Canvas canvas(QSize(def.width, def.height), onSubPanel ? kSubPanel : kPanel);
    QPainter& p = canvas.painter();
    const QColor colour = AreaColour(AreaOfPanel(panel));
    Card(p, QRectF(0, 0, def.width, def.height), 6, kWell, kControlEdge);
    Label(p, QRectF(10, 4, def.width - 20, 18), QtText(def.title), UiFont(11, QFont::DemiBold), Mix(kTextDim, colour, 0.3));
    return canvas.take();
}

// The colour panel's tool bar lies on the "Cores" box.
QImage ToolBar(int panel)
{
    const skin::PanelDefinition& def = skin::Panel(panel);
    Canvas canvas(QSize(def.width, def.height), kPanel);
    return canvas.take();
}

QImage Strip(int panel)
{
    const skin::PanelDefinition& def = skin::Panel(panel);
    Canvas canvas(QSize(def.width, def.height), kPanel);
    QPainter& p = canvas.painter();
    Card(p, QRectF(0, 0, def.width, def.height), 10, kSubPanel, kPanelEdge);
    for (int i = 0; i < 3; ++i)
        Card(p, QRectF(276 + i * 44, 28, 38, 38), 6, kWell, kControlEdge);
    return canvas.take();
}

}  // namespace

QImage PaintPanelBackground(int panel, SkinVariant variant)
{
    switch (skin::Panel(panel).style) {
    case skin::PanelStyle::MainWindow: return MainWindow(variant);
    case skin::PanelStyle::InternetWindow: return InternetWindow(variant);
    case skin::PanelStyle::SidePanel: return SidePanel(panel);
    case skin::PanelStyle::SubPanel: return SubPanel(panel);
    case skin::PanelStyle::ContentPage: return ContentPage(panel);
    case skin::PanelStyle::Strip: return Strip(panel);
    case skin::PanelStyle::ListBox: return ListBox(panel);
    case skin::PanelStyle::ToolBar: return ToolBar(panel);
    }
    return {};
}

void DrawLogoMark(QPainter& p, const QRectF& box)
{
    const QColor blades[] = {AreaColour(skin::ScreenArea::Acquire), AreaColour(skin::ScreenArea::Edit),
                             AreaColour(skin::ScreenArea::Projects), QColor(0xF2, 0x6B, 0x5B),
                             AreaColour(skin::ScreenArea::Album), AreaColour(skin::ScreenArea::Share)};
    const QPointF c = box.center();
    const qreal r = std::min(box.width(), box.height()) / 2;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 6; ++i) {
        // Each blade is a wedge whose inner edge is offset, so the six leave a hexagonal opening.
        const qreal a0 = qDegreesToRadians(60.0 * i - 90);
        const qreal a1 = qDegreesToRadians(60.0 * (i + 1) - 90);
        QPainterPath blade;
        blade.moveTo(c + QPointF(std::cos(a0), std::sin(a0)) * r * 0.36);
        blade.lineTo(c + QPointF(std::cos(a0 + 0.35), std::sin(a0 + 0.35)) * r);
        blade.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), -qRadiansToDegrees(a0 + 0.35),
                    -qRadiansToDegrees(a1 - a0));
        blade.lineTo(c + QPointF(std::cos(a1), std::sin(a1)) * r * 0.36);
        blade.closeSubpath();
        p.setPen(QPen(QColor(0, 0, 0, 110), std::max<qreal>(1.0, r * 0.05)));
        p.setBrush(blades[i]);
        p.drawPath(blade);
    }
    p.restore();
}

QImage PaintSplash(SkinVariant variant)
{
    const bool large = variant == SkinVariant::Large;
    const QSize size = large ? QSize(640, 400) : QSize(520, 330);
    Canvas canvas(size, kWindow);
    QPainter& p = canvas.painter();
    QLinearGradient sky(0, 0, size.width(), size.height());
    sky.setColorAt(0, QColor(0x1B, 0x24, 0x3A));
    sky.setColorAt(1, QColor(0x12, 0x14, 0x1A));
    p.fillRect(QRect(QPoint(0, 0), size), sky);
    QRadialGradient glow(QPointF(size.width() * 0.28, size.height() * 0.42), size.width() * 0.45);
    glow.setColorAt(0, QColor(0x4C, 0x8D, 0xFF, 70));
    glow.setColorAt(1, QColor(0x4C, 0x8D, 0xFF, 0));
    p.fillRect(QRect(QPoint(0, 0), size), glow);
    const qreal s = size.width() / 640.0;
    DrawLogoMark(p, QRectF(56 * s, 96 * s, 150 * s, 150 * s));
    Label(p, QRectF(236 * s, 96 * s, 380 * s, 64 * s), QStringLiteral("Lumivista"), UiFont(54 * s, QFont::Bold), kText);
    Label(p, QRectF(240 * s, 158 * s, 380 * s, 50 * s), QStringLiteral("2000"), UiFont(40 * s, QFont::Light), kAccent);
    Label(p, QRectF(238 * s, 214 * s, 370 * s, 30 * s), QStringLiteral("Suas fotos, do seu jeito."), UiFont(17 * s), kTextDim);
    p.fillRect(QRectF(56 * s, 300 * s, size.width() - 112 * s, 1), QColor(255, 255, 255, 30));
    Label(p, QRectF(56 * s, 312 * s, size.width() - 112 * s, 48 * s),
          QStringLiteral("Abra uma foto ou escolha uma área no alto da janela para começar."), UiFont(13 * s), kTextDim,
          Qt::AlignHCenter | Qt::AlignVCenter);
    return canvas.take();
}

QImage PaintIndicator(bool lit)
{
    Canvas canvas(QSize(14, 14), kPanel);
    QPainter& p = canvas.painter();
    if (lit) {
        QRadialGradient light(QPointF(6, 6), 7);
        light.setColorAt(0, QColor(0xB8, 0xFF, 0xC8));
        light.setColorAt(0.5, QColor(0x44, 0xC2, 0x6E));
        light.setColorAt(1, QColor(0x1E, 0x6B, 0x3A));
        p.setBrush(light);
    } else {
        p.setBrush(kWell);
    }
    p.setPen(QPen(kControlEdge, 1));
    p.drawEllipse(QRectF(1.5, 1.5, 11, 11));
    return canvas.take();
}

}  // namespace lv::skingen

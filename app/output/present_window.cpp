#include "app/output/present_window.h"

#include "common/settings.h"
#include "common/ui_service.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace lv {

namespace {
constexpr int kFrameIntervalMs = 8;  // polls the transition's clock; steps are drawn by their due time
constexpr char kInhibitReason[] = "Apresentação de slides";
}

PresentWindow::PresentWindow(PresentWindowSetup setup, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , setup_(std::move(setup))
    , show_(std::move(setup_.slides), setup_.settings, *this)
    , painter_(1, 1)
    , random_(setup_.seed)
    , screenSaver_(setup_.screenSaverBus.value_or(QDBusConnection::sessionBus()))
{
    setObjectName("PDPresentWnd");
    setWindowTitle(QString::fromUtf8("Tessaro Lumivista 2000"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    slideTimer_.setTimerType(Qt::PreciseTimer);
    connect(&slideTimer_, &QTimer::timeout, this, [this] { show_.timerTick(); });
    frameTimer_.setTimerType(Qt::PreciseTimer);
    frameTimer_.setInterval(kFrameIntervalMs);
    connect(&frameTimer_, &QTimer::timeout, this, [this] { drawFrame(); });
}

PresentWindow::~PresentWindow()
{
    closing_ = true;
    show_.close();
}

void PresentWindow::open()
{
    // Without a window manager nobody acts on the full-screen request: the window covers the
    // screen by its own geometry, on the screen of the window that started the show.
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(screen->geometry());
    showFullScreen();
    raise();
    activateWindow();
    setFocus(Qt::OtherFocusReason);
    painter_.resize(std::max(width(), 1), std::max(height(), 1));
    screenSaver_.inhibit(QString::fromUtf8(kInhibitReason));
    show_.start();
}

HDIB PresentWindow::loadPhoto(const std::string& path) const
{
    ui::BusyCursor busy;
    return setup_.loader ? setup_.loader(path) : HDIB();
}

void PresentWindow::beginSlide()
{
    const SlideShowSettings& s = show_.settings();
    painter_.begin(show_.currentSlide(), [this](const std::string& path) { return loadPhoto(path); }, s.workingName(),
                   s.transitionsOn, random_, s.transitionTimeMs);
}

void PresentWindow::startTimer(int id, int periodMs)
{
    if (id == kSlideTimerId)
        slideTimer_.start(periodMs);
    else if (id == kMainWindowTimerId && setup_.startMainTimer)
        setup_.startMainTimer(periodMs);
}

void PresentWindow::stopTimer(int id)
{
    if (id == kSlideTimerId)
        slideTimer_.stop();
    else if (id == kMainWindowTimerId && setup_.stopMainTimer)
        setup_.stopMainTimer();
}

void PresentWindow::showSlide(int index)
{
    // A slide due while the previous one still comes in first finishes that one.
    painter_.finish();
    reportWholeSlide();
    beginSlide();
    drawnIndex_ = index;
    drawnReported_ = false;
    transitionClock_.start();
    drawFrame();
}

void PresentWindow::reportWholeSlide()
{
    if (drawnReported_ || painter_.drawing())
        return;
    drawnReported_ = true;
    if (setup_.slideDrawn)
        setup_.slideDrawn(drawnIndex_, painter_.screen());
}

void PresentWindow::drawFrame()
{
    const bool done = painter_.drawDue(long(transitionClock_.elapsed()));
    update();
    if (done) {
        frameTimer_.stop();
        reportWholeSlide();
    } else if (!frameTimer_.isActive())
        frameTimer_.start();
}

void PresentWindow::closeWindow()
{
    slideTimer_.stop();
    frameTimer_.stop();
    screenSaver_.release();
    if (!closing_)
        QWidget::close();
}

void PresentWindow::paintEvent(QPaintEvent*)
{
    const ScreenBitmap& screen = painter_.screen();
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    if (!screen.empty())
        p.drawImage(0, 0, QImage(reinterpret_cast<const uchar*>(screen.data()), screen.width(), screen.height(),
                                 screen.width() * 4, QImage::Format_RGB32));
}

void PresentWindow::resizeEvent(QResizeEvent*)
{
    // Full screen arrives after the show started: the current slide is drawn again at once.
    if (painter_.screen().width() == width() && painter_.screen().height() == height())
        return;
    painter_.resize(std::max(width(), 1), std::max(height(), 1));
    if (show_.running()) {
        beginSlide();
        painter_.finish();
        frameTimer_.stop();
        reportWholeSlide();
    }
    update();
}

void PresentWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: show_.enterPressed(); break;
    case Qt::Key_Escape: show_.close(); break;
    default: QWidget::keyPressEvent(event); break;
    }
}

void PresentWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        show_.close();
}

void PresentWindow::closeEvent(QCloseEvent* event)
{
    closing_ = true;
    show_.close();
    event->accept();
}

void PresentWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            setCursor(Qt::BlankCursor);
        else
            unsetCursor();
    }
    QWidget::changeEvent(event);
}

PresentWindow* OpenSlideShow(const AlbumSlideReader& reader, const std::string& albumPath, PresentWindowSetup setup,
                             QWidget* parent)
{
    auto slides = ReadShowSlides(reader, albumPath);
    if (!slides)
        return nullptr;
    setup.slides = std::move(*slides);
    QElapsedTimer sinceStart;
    sinceStart.start();
    setup.seed = std::uint32_t(sinceStart.msecsSinceReference() / 100);  // the tick count / 100
    auto* window = new PresentWindow(std::move(setup), parent);  // Qt owns it; it deletes itself on close
    window->open();
    return window;
}

std::string LoadTransitionName(const Settings& settings)
{
    return settings.get(setting::kSlideshow);
}

bool StoreTransitionName(Settings& settings, std::string_view name)
{
    return settings.userSetString(setting::kSlideshow.name, name);
}

}  // namespace lv

// A file manager's drag for the journeys: a small window titled "Arquivos" at the screen's
// bottom right that drags the file named on its command line (text/uri-list) once the pointer
// is pressed and moved on it, then prints what the drop target did and ends soon after.
//   drag_source FILE

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <cstdio>
#include <memory>

namespace {

constexpr int kServeAfterDropMs = 3000;

class DragSource final : public QWidget {
public:
    explicit DragSource(QString file)
        : file_(std::move(file))
    {
        setWindowTitle(QStringLiteral("Arquivos"));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        setGeometry(screen.right() - 120, screen.bottom() - 110, 100, 90);
    }

protected:
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (!(event->buttons() & Qt::LeftButton) || dragged_)
            return;
        dragged_ = true;
        auto mime = std::make_unique<QMimeData>();
        mime->setUrls({QUrl::fromLocalFile(file_)});
        // Qt deletes the drag once its target has read the data, after exec returns.
        auto* drag = new QDrag(this);
        drag->setMimeData(mime.release());  // the drag owns it
        const Qt::DropAction done = drag->exec(Qt::CopyAction);
        std::printf("drag %s\n", done == Qt::IgnoreAction ? "refused" : "taken");
        std::fflush(stdout);
        // The drop's target asks for the file's name after the drag has ended here.
        QTimer::singleShot(kServeAfterDropMs, qApp, &QApplication::quit);
    }

private:
    QString file_;
    bool dragged_ = false;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2)
        return 2;
    DragSource source(QString::fromLocal8Bit(argv[1]));
    source.show();
    return application.exec();
}

#include "app/sharing/animation_page.h"

#include "app/editing/document_windows.h"
#include "app/editing/image_window.h"
#include "app/shell/main_window.h"
#include "app/widgets/dib_image.h"
#include "app/widgets/qt_text.h"
#include "common/file_problem.h"
#include "common/ui_service.h"
#include "edit/layer_stack.h"
#include "imagelib/codecs/load_save.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/dib_geometry.h"
#include "output/animation/animation_file.h"

#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPalette>
#include <QPixmap>

namespace lv::app {
namespace {

constexpr int kContentPage = 197;
constexpr char kLayerPrefix[] = "layer:";
constexpr int kSizes[][2] = {{0, 0}, {320, 240}, {480, 360}, {640, 480}, {800, 600}, {1024, 768}};

// A layer alone on white at its place in the document; the mask is not applied.
HDIB LayerFrame(const LayerStack& doc, const LayerRecord& layer)
{
    const HDIB& image = layer.image.read();
    if (!image)
        return {};
    HDIB canvas = DibCreate(doc.width, doc.height, 0xFFFFFF, false);
    const int top = int(doc.height) - (layer.y + image.height());
    if (canvas && image.bitCount() == 24 && DibPaste(canvas, image, layer.x, top))
        return canvas;
    return DibDuplicate(image);
}

}  // namespace

AnimationPage::AnimationPage(MainWindow& window, DocumentWindows& documents, const TestHooks& hooks)
    : window_(window)
    , documents_(documents)
    , hooks_(hooks)
{
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (++shown_ >= playing_.size()) {
            shown_ = 0;
            ++plays_;
            const int loops = loop_->value();
            if (loops != 0 && plays_ >= loops)
                return stop();
        }
        showFrame();
    });
}

AnimationPage::~AnimationPage()
{
    delete page_.data();
}

PhotoList& AnimationPage::list()
{
    if (page_)
        return *list_;
    page_ = new QWidget(&window_);
    page_->setObjectName(QStringLiteral("animationpage"));
    page_->setStyleSheet(QStringLiteral("QLabel { color: #e6e6e6; }"));  // on the panel's dark ground
    page_->setAutoFillBackground(true);  // the panel's own hint must not show through
    page_->setPalette(QPalette(QColor(0x23, 0x26, 0x2d)));
    auto* row = new QHBoxLayout(page_);
    row->setContentsMargins(0, 0, 0, 0);
    list_ = new PhotoList(page_);
    list_->setMaximumWidth(220);
    row->addWidget(list_);
    auto* right = new QVBoxLayout;
    preview_ = new QLabel(page_);
    preview_->setObjectName(QStringLiteral("animationpreview"));
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setMinimumSize(300, 130);
    preview_->setStyleSheet(QStringLiteral("background:#202228"));
    right->addWidget(preview_, 1);
    auto* form = new QFormLayout;
    delay_ = new QSpinBox(page_);
    delay_->setRange(animation::kMinDelayMs, animation::kMaxDelayMs);
    delay_->setSingleStep(100);
    delay_->setValue(500);
    delay_->setSuffix(QStringLiteral(" ms"));
    loop_ = new QSpinBox(page_);
    loop_->setRange(0, 65535);
    loop_->setSpecialValueText(QStringLiteral("sempre"));
    fade_ = new QSpinBox(page_);
    fade_->setRange(0, animation::kMaxFade);
    fade_->setSpecialValueText(QStringLiteral("sem transição"));
    size_ = new QComboBox(page_);
    for (const auto& s : kSizes)
        size_->addItem(s[0] ? QStringLiteral("%1 × %2").arg(s[0]).arg(s[1]) : QStringLiteral("o da primeira foto"));
    palette_ = new QComboBox(page_);
    palette_->addItems({QStringLiteral("uma para todos os quadros"), QStringLiteral("uma por quadro")});
    form->addRow(QStringLiteral("Tempo de cada quadro:"), delay_);
    form->addRow(QStringLiteral("Repetições:"), loop_);
    form->addRow(QStringLiteral("Quadros de transição:"), fade_);
    form->addRow(QStringLiteral("Tamanho:"), size_);
    form->addRow(QStringLiteral("Paleta do GIF:"), palette_);
    right->addLayout(form);
    row->addLayout(right, 1);
    page_->hide();
    return *list_;
}

void AnimationPage::show()
{
    list();
    if (const auto area = window_.controlRect(kContentPage))
        page_->setGeometry(area->x() + 10, area->y() + 10, area->width() - 20, 256);
    page_->show();
    page_->raise();
}

void AnimationPage::hide()
{
    stop();
    if (page_)
        page_->hide();
}

void AnimationPage::addFiles(const std::vector<std::string>& files)
{
    for (const std::string& file : files)
        list().add({file, {}});
    LV_TEST_LOG(hooks_, QStringLiteral("animation %1 frames").arg(list().count()));
}

void AnimationPage::addPhotos()
{
    const QStringList chosen = QFileDialog::getOpenFileNames(
        &window_, QStringLiteral("Fotos da animação"), QDir::homePath(),
        QStringLiteral("Imagens (*.jpg *.jpeg *.png *.bmp *.gif *.tif *.tiff *.webp *.pcx *.tga);;Todos os arquivos (*)"));
    std::vector<std::string> files;
    for (const QString& file : chosen)
        files.push_back(file.toStdString());
    addFiles(files);
}

void AnimationPage::fromLayers()
{
    ImageWindow* window = documents_.active();
    if (!window) {
        ui::Current().showMessage("Abra uma imagem com camadas para fazer uma animação com elas.", ui::kProductTitle,
                                  ui::Icon::Information);
        return;
    }
    const LayerStack& doc = window->document();
    for (int i = 0; i < doc.layerCount; ++i) {
        const LayerRecord& layer = doc.layers[std::size_t(i)];
        if (layer.kind == LAYER_MASK)
            continue;
        HDIB frame = LayerFrame(doc, layer);
        if (!frame)
            continue;
        layerFrames_.push_back(std::move(frame));
        list().add({kLayerPrefix + std::to_string(layerFrames_.size() - 1),
                    layer.name.empty() ? "Camada " + std::to_string(i + 1) : layer.name});
    }
    LV_TEST_LOG(hooks_, QStringLiteral("animation %1 frames").arg(list().count()));
}

animation::AnimationOptions AnimationPage::options() const
{
    animation::AnimationOptions o;
    o.delayMs = delay_->value();
    o.loop = loop_->value();
    o.fade = fade_->value();
    o.width = kSizes[size_->currentIndex()][0];
    o.height = kSizes[size_->currentIndex()][1];
    o.sharedPalette = palette_->currentIndex() == 0;
    return o;
}

std::vector<animation::Frame> AnimationPage::frames(const animation::AnimationOptions& o)
{
    const std::vector<ListedPhoto> listed = list().photos();
    if (const std::string refused = animation::CheckOptions(o, int(listed.size())); !refused.empty()) {
        ui::Current().showMessage(listed.empty() ? "A animação ainda não tem quadros: use \"Adicionar fotos\" ou "
                                                   "\"Camadas da imagem\"."
                                                 : refused,
                                  ui::kProductTitle, ui::Icon::Information);
        return {};
    }
    ui::BusyCursor busy;
    std::vector<HDIB> pictures;
    for (const ListedPhoto& p : listed) {
        if (p.path.rfind(kLayerPrefix, 0) == 0) {
            pictures.push_back(DibDuplicate(layerFrames_[std::stoul(p.path.substr(sizeof kLayerPrefix - 1))]));
            continue;
        }
        const LoadedImage loaded = LoadImageFileDetailed(p.path, false);
        if (!loaded.image) {
            ui::Current().showMessage("Não foi possível ler " + p.path + ": " + DescribeFileProblem(loaded.failure),
                                      ui::kWarningTitle, ui::Icon::Exclamation);
            return {};
        }
        pictures.push_back(DibDuplicate(loaded.image));
    }
    std::vector<animation::Frame> out = animation::BuildFrames(pictures, o);
    if (out.empty())
        ui::Current().showMessage("Falta memória para montar a animação.", ui::kWarningTitle, ui::Icon::Exclamation);
    return out;
}

void AnimationPage::showFrame()
{
    if (shown_ >= playing_.size())
        return;
    const QImage image = DibToImage(playing_[shown_].picture);
    preview_->setPixmap(QPixmap::fromImage(image).scaled(preview_->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    LV_TEST_LOG(hooks_, QStringLiteral("animation frame %1").arg(shown_));
    timer_.start(playing_[shown_].delayMs);
}

void AnimationPage::play()
{
    list();
    stop();
    playing_ = frames(options());
    shown_ = 0;
    plays_ = 0;
    showFrame();
}

void AnimationPage::stop()
{
    timer_.stop();
    if (!playing_.empty())
        LV_TEST_LOG(hooks_, QStringLiteral("animation stopped"));
    playing_.clear();
}

void AnimationPage::save(std::optional<QString> file)
{
    list();
    const animation::AnimationOptions o = options();
    if (list().count() == 0)
        return void(frames(o));  // says there is nothing to save
    if (!file)
        file = QFileDialog::getSaveFileName(&window_, QStringLiteral("Salvar a animação"),
                                            QDir::home().filePath(QStringLiteral("animacao.gif")),
                                            QStringLiteral("GIF animado (*.gif);;WebP animado (*.webp)"));
    if (file->isEmpty())
        return;
    if (!animation::IsAnimationFileName(file->toStdString()))
        *file += QStringLiteral(".gif");
    const std::vector<animation::Frame> built = frames(o);
    if (built.empty())
        return;
    std::string failed;
    {
        ui::BusyCursor busy;
        failed = animation::SaveAnimation(file->toStdString(), built, o);
    }
    if (!failed.empty())
        ui::Current().showMessage(failed, ui::kWarningTitle, ui::Icon::Exclamation);
    else
        LV_TEST_LOG(hooks_, QStringLiteral("animation saved %1 frames").arg(built.size()));
}

}  // namespace lv::app

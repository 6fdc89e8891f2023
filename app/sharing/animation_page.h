#pragma once
// "Animações" (screen 31): frames from photos or from the layers of the open picture, in an
// order changed by dragging; the time per frame, the plays, the fade and the size;
// "Reproduzir"/"Parar" play it on the page, "Salvar" writes animated GIF or WebP.

#include "app/sharing/photo_list.h"
#include "app/shell/test_hooks.h"
#include "imagelib/dib.h"
#include "output/animation/animation.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QSpinBox>
#include <QTimer>

#include <optional>

namespace lv::app {

class DocumentWindows;
class MainWindow;

class AnimationPage {
public:
    AnimationPage(MainWindow& window, DocumentWindows& documents, const TestHooks& hooks);
    ~AnimationPage();

    void show();
    void hide();
    PhotoList& list();
    void addFiles(const std::vector<std::string>& files);
    void addPhotos();
    void fromLayers();
    void play();
    void stop();
    void save(std::optional<QString> file = std::nullopt);

private:
    animation::AnimationOptions options() const;
    // The frames to write or play; empty (the user told why) when there are none.
    std::vector<animation::Frame> frames(const animation::AnimationOptions& options);
    void showFrame();

    MainWindow& window_;
    DocumentWindows& documents_;
    const TestHooks& hooks_;
    QPointer<QWidget> page_;
    PhotoList* list_ = nullptr;
    QLabel* preview_ = nullptr;
    QSpinBox* delay_ = nullptr;
    QSpinBox* loop_ = nullptr;
    QSpinBox* fade_ = nullptr;
    QComboBox* size_ = nullptr;
    QComboBox* palette_ = nullptr;
    // Frames taken from layers are kept here: a layer has no file.
    std::vector<HDIB> layerFrames_;
    std::vector<animation::Frame> playing_;
    std::size_t shown_ = 0;
    int plays_ = 0;
    QTimer timer_;
};

}  // namespace lv::app

#pragma once
// The album page's search command: the photo search library's three calls in their order,
// with the program's drawing, fitting and loading procedures.

#include "app/shell/test_hooks.h"

#include <string>

class QWidget;

namespace lv::app {

inline constexpr int kSearchResultsName = 7204;  // "Resultados da pesquisa"

struct PhotoSearchOutcome {
    enum class Kind { Nothing, OpenPhoto, ResultsAlbum };
    Kind kind = Kind::Nothing;
    std::string path;  // the photo, or the results album the library wrote
};

PhotoSearchOutcome RunPhotoSearch(QWidget& window, const TestHooks& hooks);

}  // namespace lv::app

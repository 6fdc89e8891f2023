#pragma once
// An album page session's surroundings for the tests: a program folder, its catalogue and a
// grid of three cells.

#include "album/album_page_session.h"
#include "album_test_support.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace lv::album {

class PageSession : public ::testing::Test {
protected:
    PageSession()
    {
        std::filesystem::create_directories(dir.path() / "program/albums");
        layouts.place(0, {{0, 0, 100, 100}, Rect{110, 0, 210, 100}, Rect{0, 110, 100, 210}, Rect{0, 0, 50, 20}});
    }
    std::string config() const { return (dir.path() / "LV2000.ini").string(); }
    void fill(AlbumPageSession& s, int photos)
    {
        for (int i = 0; i < photos; ++i)
            s.album().append(testing::EntryFor(6, 4, "/fotos/p" + std::to_string(i) + ".jpg"));
        s.album().setModified(true);
        s.layoutChanged();
    }

    lv::testing::UiRecorder ui;
    lv::testing::TempDir dir;
    ProfileCatalogueStore store{dir.path() / "LV2000.ini", dir.path() / "program/sysalbum/albums.ini"};
    AlbumCatalogue catalogue{store, dir.path() / "program"};
    GridLayouts layouts;
    Album album;
};

}  // namespace lv::album

// The slide show's settings dialog over a real album catalogue: what it offers, what OK keeps
// for the run and writes to the configuration, and what Cancel leaves alone.

#include "album/catalogue.h"
#include "common/settings.h"
#include "app/core/tests/memory_store.h"
#include "app/output/slideshow_settings_dialog.h"
#include "common/byte_sink.h"
#include "common/testing/temp_dir.h"
#include "output/transition_table.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <filesystem>

namespace lv::app {
namespace {

// Two user albums, the second current, and an album of another category that must not show.
class SlideShowDialogFixture : public ::testing::Test {
protected:
    SlideShowDialogFixture()
        : catalogueStore(dir.path() / "LV2000.ini", dir.path() / "sysalbum/albums.ini")
        , catalogue(catalogueStore, dir.path())
        , config(settingsStore)
    {
        const std::string text = "[albums]\nalbum1.abm=Férias\nalbum2.abm=Natal em família\n"
                                 "[Frame]\nframe1.abm=Molduras\n[ALBUMCUR]\nalbums=1\n";
        EXPECT_TRUE(WriteWholeFile((dir.path() / "LV2000.ini").string(), {text.begin(), text.end()}));
    }

    std::string stored() const { return settingsStore.read("USER", "SLIDESHOW").value_or("<none>"); }

    testing::TempDir dir;
    album::ProfileCatalogueStore catalogueStore;
    album::AlbumCatalogue catalogue;
    testing::MemoryStore settingsStore;
    Settings config;
    SlideShowSettings settings;
};

TEST_F(SlideShowDialogFixture, OffersTheUsersAlbumsAndEveryNamedTransitionButNenhum)
{
    SlideShowSettingsDialog dialog(nullptr, catalogue, settings, config);
    ASSERT_EQ(dialog.albums()->count(), 2);
    EXPECT_EQ(std::tuple(dialog.albums()->item(1)->text(), dialog.album()), std::tuple("Natal em família", 1))
        << "the current album is chosen";

    QListWidget& list = *dialog.transitions();
    ASSERT_EQ(list.count(), kNamedTransitions - 1);
    // The row after "Nenhum" moves up; with nothing stored the first name is chosen.
    EXPECT_EQ(std::tuple(list.item(0)->text(), list.item(kNoTransition)->text(), list.item(list.count() - 1)->text(),
                         list.findItems("Nenhum", Qt::MatchExactly).size(), list.currentRow()),
              std::tuple("Aleatório", "Cículos aleatórios", "Apagar", 0, 0));

    // The controls carry their numbers, for help and for the keyboard tests.
    for (const char* id : {"100", "90", "1000", "91", "92"})
        EXPECT_NE(dialog.findChild<QWidget*>(id), nullptr) << id;
}

TEST_F(SlideShowDialogFixture, OkKeepsEveryChoiceAndStoresTheListsTextEvenWithTransitionsOff)
{
    SlideShowSettingsDialog dialog(nullptr, catalogue, settings, config);
    dialog.albums()->setCurrentRow(0);
    dialog.transitions()->setCurrentRow(int(dialog.transitions()->count()) - 1);  // "Apagar"
    dialog.transitionsOn()->setChecked(false);
    dialog.repeat()->setChecked(false);
    dialog.displayTime()->setValue(7);
    EXPECT_EQ(dialog.seconds()->text(), "5,6 segundos por foto");
    dialog.accept();

    EXPECT_EQ(std::tuple(dialog.result(), dialog.album(), settings.transitionsOn, settings.repeat, settings.displayTime),
              std::tuple(int(QDialog::Accepted), 0, false, false, 7u));
    // The show itself draws no transition.
    EXPECT_EQ(std::tuple(settings.timerPeriodMs(), settings.transitionName, settings.workingName(), stored()),
              std::tuple(560, "Apagar", "Nenhum", "Apagar"));

    // The next opening starts from what was kept.
    SlideShowSettingsDialog again(nullptr, catalogue, settings, config);
    EXPECT_EQ(std::tuple(again.transitionsOn()->isChecked(), again.repeat()->isChecked(), again.displayTime()->value(),
                         again.transitions()->currentItem()->text()),
              std::tuple(false, false, 7, "Apagar"));
}

TEST_F(SlideShowDialogFixture, CancelChangesNothingAndAUserWithoutAlbumsGetsNone)
{
    SlideShowSettingsDialog dialog(nullptr, catalogue, settings, config);
    dialog.repeat()->setChecked(false);
    dialog.displayTime()->setValue(1);
    dialog.reject();
    EXPECT_EQ(std::tuple(settings.repeat, settings.displayTime, stored()), std::tuple(true, 5u, "<none>"));

    testing::TempDir empty;
    album::ProfileCatalogueStore noAlbumsStore(empty.path() / "LV2000.ini", empty.path() / "albums.ini");
    const album::AlbumCatalogue noAlbums(noAlbumsStore, empty.path());
    SlideShowSettingsDialog bare(nullptr, noAlbums, settings, config);
    EXPECT_EQ(std::tuple(bare.albums()->count(), bare.album()), std::tuple(0, -1));
}

}  // namespace
}  // namespace lv::app

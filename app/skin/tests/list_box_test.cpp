// The skinned list box: its block, the list messages, picks and their notifications,
// scrolling, and the registry that places each list box and its popup panel.

#include "app/skin/button_table.h"
#include "app/skin/list_box.h"
#include "app/skin/list_box_registry.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

namespace lv::skin {
namespace {

TEST(ListBoxBlock, HeaderFieldsThenTwoThousandItemsOfThreeHundredBytes)
{
    EXPECT_EQ((std::vector<std::size_t>{sizeof(ListBoxBlock), offsetof(ListBoxBlock, controlId),
                                        offsetof(ListBoxBlock, kind), offsetof(ListBoxBlock, count),
                                        offsetof(ListBoxBlock, firstVisible), offsetof(ListBoxBlock, selected),
                                        offsetof(ListBoxBlock, items)}),
              (std::vector<std::size_t>{600336, 0, 4, 8, 12, 16, 336}));

    const ListBox list(200, 5);
    EXPECT_EQ(std::tuple(list.block().controlId, list.block().kind, list.count(), list.firstVisible(), list.selection()),
              std::tuple(200, kListBoxKind, 0, 0, kNoSelection));
}

TEST(ListBox, TheTwoThousandAndFirstItemAndTextsOfThreeHundredBytesAreRefused)
{
    ListBox list(200, 5);
    // 299 bytes and the zero fill the item.
    EXPECT_EQ((std::vector{list.addString(std::string(299, 'a')), list.addString(std::string(300, 'b')),
                           list.addString(std::string(5000, 'b'))}),
              (std::vector{0, kListRefused, kListRefused}));
    EXPECT_EQ(std::tuple(list.count(), list.text(0)), std::tuple(1, std::string(299, 'a')));

    for (int i = 1; i < kListBoxMaxItems; ++i)
        ASSERT_EQ(list.addString("item " + std::to_string(i)), i);
    EXPECT_EQ(list.count(), 2000);
    // Nothing is added, not even an empty text.
    EXPECT_EQ((std::vector{list.send(kListAddString, 0, "one too many"), list.addString(""), list.count()}),
              (std::vector{kListRefused, kListRefused, 2000}));
    EXPECT_EQ(list.text(1999), "item 1999");
}

TEST(ListBox, GetTextAnswersTheLengthWithItsZeroAndCutsToTheBuffer)
{
    ListBox list(216, 7);
    list.addString("Liberation Sans");
    list.addString("Cão \xC3\xA9");  // UTF-8 bytes are kept as they are
    char buffer[300];
    EXPECT_EQ(list.send(kListGetText, 0, {}, buffer), 16);
    EXPECT_STREQ(buffer, "Liberation Sans");
    EXPECT_EQ(list.getText(1, buffer), int(std::string("Cão \xC3\xA9").size()) + 1);
    EXPECT_STREQ(buffer, "Cão \xC3\xA9");

    char small[6] = {'x', 'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(list.getText(0, small), 16) << "the whole length, whatever fits";
    EXPECT_STREQ(small, "Liber");

    // At the count, before the first and far beyond.
    EXPECT_EQ((std::vector{list.getText(2, buffer), list.getText(-1, buffer), list.getText(5000, buffer)}),
              (std::vector{kListError, kListError, kListError}));
    EXPECT_EQ(list.text(9), "");
}

TEST(ListBox, MessagesResetCountSelectionAndUnknownOnes)
{
    ListBox list(200, 5);
    for (const char* name : {"Férias", "Natal", "Família"})
        list.send(kListAddString, 0, name);
    EXPECT_EQ(std::tuple(list.send(kListGetCount), list.send(kListGetSelection)), std::tuple(3, kNoSelection));
    list.setSelection(2);
    EXPECT_EQ(list.send(kListGetSelection), 2);
    // 386 and 0 are messages the list does not know.
    EXPECT_EQ(std::tuple(list.send(386), list.send(0)), std::tuple(kListError, kListError));
    EXPECT_EQ(list.send(kListResetContent), 0);
    EXPECT_EQ(std::tuple(list.count(), list.selection(), list.firstVisible()), std::tuple(0, kNoSelection, 0));
    EXPECT_EQ(list.send(kListAddString, 0, "Novo"), 0) << "the list fills again from the start";
}

TEST(ListBox, AFirstPickNotifies1124AndEveryLaterOne1126)
{
    ListBox list(217, 5);
    for (int i = 0; i < 12; ++i)
        list.addString("effect " + std::to_string(i));

    const auto first = list.pick(2);
    ASSERT_TRUE(first);
    // High word 1, the control in the low word.
    EXPECT_EQ(std::tuple(first->message, first->wParam, first->controlId, list.selection()),
              std::tuple(kListFirstPickNotification, 0x10000u | 217u, 217, 2));

    list.scrollTo(4);
    const auto second = list.pick(0);
    ASSERT_TRUE(second);
    EXPECT_EQ(std::tuple(second->message, list.selection()), std::tuple(kListPickNotification, 4))
        << "the row counts from the first visible item";
    EXPECT_EQ(list.pick(1)->message, kListPickNotification);

    list.resetContent();
    list.addString("only");
    // A row without an item, above the rows and below them; an empty pick changes nothing.
    EXPECT_FALSE(list.pick(1) || list.pick(-1) || list.pick(5));
    EXPECT_EQ(list.selection(), kNoSelection);
    EXPECT_EQ(list.pick(0)->message, kListPickNotification) << "still not the list's first pick";
}

TEST(ListBox, ScrollingStaysWithinTheItemsAndASelectionIsBroughtIntoView)
{
    ListBox list(200, 5);
    EXPECT_EQ(list.sliderMaximum(), 0);
    for (int i = 0; i < 4; ++i)
        list.addString("a");
    list.scrollTo(3);
    EXPECT_EQ(std::tuple(list.sliderMaximum(), list.firstVisible()), std::tuple(0, 0)) << "fewer items than rows";
    for (int i = 0; i < 8; ++i)
        list.addString("b");
    EXPECT_EQ(list.sliderMaximum(), 7) << "12 items, 5 rows: 8 positions";
    const auto firstAfter = [&](auto move) {
        move();
        return list.firstVisible();
    };
    EXPECT_EQ((std::vector{firstAfter([&] { list.scrollTo(100); }), firstAfter([&] { list.scrollTo(-3); })}),
              (std::vector{7, 0}));

    // The selection ends the visible rows, starts them, or is already visible.
    EXPECT_EQ((std::vector{firstAfter([&] { list.setSelection(9); }), firstAfter([&] { list.setSelection(1); }),
                           firstAfter([&] { list.setSelection(3); })}),
              (std::vector{5, 1, 1}));
    list.setSelection(12);
    EXPECT_EQ(list.selection(), kNoSelection) << "an index beyond the list selects nothing";
}

TEST(ListBox, TheListenerHearsEveryRealChangeAndOnlyItsOwnerRemovesIt)
{
    ListBox list(200, 5);
    int changes = 0;
    int owner = 0;
    int other = 0;
    list.setChangeListener(&owner, [&] { ++changes; });
    list.addString("a");
    list.addString(std::string(400, 'x'));
    list.scrollTo(0);
    EXPECT_EQ(changes, 1) << "a refused text and scrolling to where it is change nothing";
    list.pick(0);
    list.setSelection(-1);
    list.resetContent();
    EXPECT_EQ(changes, 4);
    list.removeChangeListener(&other);
    list.addString("b");
    EXPECT_EQ(changes, 5) << "a stranger's removal leaves the listener";
    list.removeChangeListener(&owner);
    list.addString("c");
    EXPECT_EQ(changes, 5);
}

TEST(ListBox, RowsUnderAPointAndTheKindsOfSkinnedControls)
{
    const Rect rows = Rect::fromSize(6, 24, 164, 85);
    // {point, row}; (170, 30) is the slider beside the rows.
    const std::pair<Point, int> points[] = {{{6, 24}, 0},    {{169, 40}, 0},  {{100, 41}, 1},
                                            {{100, 108}, 4}, {{100, 109}, -1}, {{170, 30}, -1}};
    for (const auto& [at, row] : points)
        EXPECT_EQ(ListRowAt(rows, 17, at), row) << at.x << ',' << at.y;
    EXPECT_EQ(ListRowAt(rows, 0, {10, 30}), -1);

    const std::pair<const char*, int> kinds[] = {{"TSCOMMANDBUTTON", 0}, {"TSRADIOBUTTON", 1}, {"TSCHECKBOX", 2},
                                                 {"TSCROLLBAR", 3},      {"TSLISTBOX", kListBoxKind},
                                                 {"tslistbox", kNotASkinnedControl}, {"SuperStatic", kNotASkinnedControl}};
    for (const auto& [name, kind] : kinds)
        EXPECT_EQ(SkinnedControlKind(name), kind) << name;
}

TEST(ListBoxRegistry, EachListLiesInARegionOfItsIdAsLargeAsItsPopupPanel)
{
    for (const ListBoxEntry& entry : ListBoxEntries()) {
        SCOPED_TRACE(::testing::Message() << "list " << entry.controlId);
        EXPECT_EQ(FindListBox(entry.controlId), &entry);
        EXPECT_EQ(ListBoxOfPopup(entry.popupPanel), &entry);
        const int region = ButtonIndexByControl(entry.hostPanel, entry.controlId);
        ASSERT_GE(region, 0);
        const ButtonDefinition& host = PanelButtons(entry.hostPanel)[std::size_t(region)];
        EXPECT_EQ(std::tuple(host.kind, host.small.width(), host.small.height()),
                  std::tuple(ButtonKind::Region, Panel(entry.popupPanel).width, Panel(entry.popupPanel).height));

        const ListBoxLayout layout = ListLayoutOf(entry.popupPanel);
        EXPECT_GE(layout.visibleRows, 3);
        EXPECT_EQ(layout.rows.height(), layout.visibleRows * layout.rowHeight) << "whole rows only";
        const auto buttons = PanelButtons(entry.popupPanel);
        EXPECT_EQ(buttons[kListRowPicture].art.style, ButtonStyle::ListRow);
        EXPECT_EQ((std::vector{buttons[kListRowsArea].kind, buttons[kListTrack].kind, buttons[kListThumb].kind}),
                  (std::vector{ButtonKind::Drag, ButtonKind::SliderTrack, ButtonKind::SliderThumb}));
        EXPECT_GE(buttons[kListTrack].small.left, layout.rows.right) << "the slider beside the rows";
        EXPECT_EQ(buttons[kListTrack].small.height(), layout.rows.height());
    }
    EXPECT_EQ(std::tuple(FindListBox(201), ListBoxOfPopup(18)),
              std::tuple(nullptr, nullptr)) << "the album name is a field";
}

}  // namespace
}  // namespace lv::skin

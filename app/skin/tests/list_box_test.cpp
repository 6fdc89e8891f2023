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
    EXPECT_EQ(sizeof(ListBoxBlock), 600336u);
    EXPECT_EQ(offsetof(ListBoxBlock, controlId), 0u);
    EXPECT_EQ(offsetof(ListBoxBlock, kind), 4u);
    EXPECT_EQ(offsetof(ListBoxBlock, count), 8u);
    EXPECT_EQ(offsetof(ListBoxBlock, firstVisible), 12u);
    EXPECT_EQ(offsetof(ListBoxBlock, selected), 16u);
    EXPECT_EQ(offsetof(ListBoxBlock, items), 336u);

    const ListBox list(200, 5);
    EXPECT_EQ(list.block().controlId, 200);
    EXPECT_EQ(list.block().kind, kListBoxKind);
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.firstVisible(), 0);
    EXPECT_EQ(list.selection(), kNoSelection);
}

TEST(ListBox, TheTwoThousandAndFirstItemAndTextsOfThreeHundredBytesAreRefused)
{
    ListBox list(200, 5);
    EXPECT_EQ(list.addString(std::string(299, 'a')), 0) << "299 bytes and the zero fill the item";
    EXPECT_EQ(list.addString(std::string(300, 'b')), kListRefused);
    EXPECT_EQ(list.addString(std::string(5000, 'b')), kListRefused);
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(list.text(0), std::string(299, 'a'));

    for (int i = 1; i < kListBoxMaxItems; ++i)
        ASSERT_EQ(list.addString("item " + std::to_string(i)), i);
    EXPECT_EQ(list.count(), 2000);
    EXPECT_EQ(list.send(kListAddString, 0, "one too many"), kListRefused);
    EXPECT_EQ(list.count(), 2000) << "nothing added";
    EXPECT_EQ(list.text(1999), "item 1999");
    EXPECT_EQ(list.addString(""), kListRefused) << "even an empty text once full";
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

    EXPECT_EQ(list.getText(2, buffer), kListError) << "at the count";
    EXPECT_EQ(list.getText(-1, buffer), kListError);
    EXPECT_EQ(list.getText(5000, buffer), kListError);
    EXPECT_EQ(list.text(9), "");
}

TEST(ListBox, MessagesResetCountSelectionAndUnknownOnes)
{
    ListBox list(200, 5);
    for (const char* name : {"Férias", "Natal", "Família"})
        list.send(kListAddString, 0, name);
    EXPECT_EQ(list.send(kListGetCount), 3);
    EXPECT_EQ(list.send(kListGetSelection), kNoSelection);
    list.setSelection(2);
    EXPECT_EQ(list.send(kListGetSelection), 2);
    EXPECT_EQ(list.send(386), kListError) << "a message the list does not know";
    EXPECT_EQ(list.send(0), kListError);
    EXPECT_EQ(list.send(kListResetContent), 0);
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.selection(), kNoSelection);
    EXPECT_EQ(list.firstVisible(), 0);
    EXPECT_EQ(list.send(kListAddString, 0, "Novo"), 0) << "the list fills again from the start";
}

TEST(ListBox, AFirstPickNotifies1124AndEveryLaterOne1126)
{
    ListBox list(217, 5);
    for (int i = 0; i < 12; ++i)
        list.addString("effect " + std::to_string(i));

    const auto first = list.pick(2);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->message, kListFirstPickNotification);
    EXPECT_EQ(first->wParam, 0x10000u | 217u) << "high word 1, the control in the low word";
    EXPECT_EQ(first->controlId, 217);
    EXPECT_EQ(list.selection(), 2);

    list.scrollTo(4);
    const auto second = list.pick(0);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->message, kListPickNotification);
    EXPECT_EQ(list.selection(), 4) << "the row counts from the first visible item";
    EXPECT_EQ(list.pick(1)->message, kListPickNotification);

    list.resetContent();
    list.addString("only");
    EXPECT_FALSE(list.pick(1)) << "a row without an item";
    EXPECT_FALSE(list.pick(-1));
    EXPECT_FALSE(list.pick(5)) << "below the visible rows";
    EXPECT_EQ(list.selection(), kNoSelection) << "an empty pick changes nothing";
    EXPECT_EQ(list.pick(0)->message, kListPickNotification) << "still not the list's first pick";
}

TEST(ListBox, ScrollingStaysWithinTheItemsAndASelectionIsBroughtIntoView)
{
    ListBox list(200, 5);
    EXPECT_EQ(list.sliderMaximum(), 0);
    for (int i = 0; i < 4; ++i)
        list.addString("a");
    EXPECT_EQ(list.sliderMaximum(), 0) << "fewer items than rows";
    list.scrollTo(3);
    EXPECT_EQ(list.firstVisible(), 0);
    for (int i = 0; i < 8; ++i)
        list.addString("b");
    EXPECT_EQ(list.sliderMaximum(), 7) << "12 items, 5 rows: 8 positions";
    list.scrollTo(100);
    EXPECT_EQ(list.firstVisible(), 7);
    list.scrollTo(-3);
    EXPECT_EQ(list.firstVisible(), 0);

    list.setSelection(9);
    EXPECT_EQ(list.firstVisible(), 5) << "the selection ends the visible rows";
    list.setSelection(1);
    EXPECT_EQ(list.firstVisible(), 1);
    list.setSelection(3);
    EXPECT_EQ(list.firstVisible(), 1) << "already visible";
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
    EXPECT_EQ(changes, 1) << "a refused text changes nothing";
    list.scrollTo(0);
    EXPECT_EQ(changes, 1) << "scrolling to where it is";
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
        EXPECT_EQ(host.kind, ButtonKind::Region);
        EXPECT_EQ(host.small.width(), Panel(entry.popupPanel).width);
        EXPECT_EQ(host.small.height(), Panel(entry.popupPanel).height);

        const ListBoxLayout layout = ListLayoutOf(entry.popupPanel);
        EXPECT_GE(layout.visibleRows, 3);
        EXPECT_EQ(layout.rows.height(), layout.visibleRows * layout.rowHeight) << "whole rows only";
        const auto buttons = PanelButtons(entry.popupPanel);
        EXPECT_EQ(buttons[kListRowPicture].art.style, ButtonStyle::ListRow);
        EXPECT_EQ(buttons[kListRowsArea].kind, ButtonKind::Drag);
        EXPECT_EQ(buttons[kListTrack].kind, ButtonKind::SliderTrack);
        EXPECT_EQ(buttons[kListThumb].kind, ButtonKind::SliderThumb);
        EXPECT_GE(buttons[kListTrack].small.left, layout.rows.right) << "the slider beside the rows";
        EXPECT_EQ(buttons[kListTrack].small.height(), layout.rows.height());
    }
    EXPECT_EQ(FindListBox(201), nullptr) << "the album name is a field";
    EXPECT_EQ(ListBoxOfPopup(18), nullptr);
}

}  // namespace
}  // namespace lv::skin

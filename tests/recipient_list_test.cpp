// The main window's recipient list as the user sees it.

#include <gtest/gtest.h>

#include "app/program_state.h"
#include "app/ui/tform1.h"
#include "platform/ui/panel_status_bar.h"
#include "platform/ui/sorted_list_box.h"
#include "platform/win1252.h"
#include "tests/support/program_fixture.h"

namespace corvane {
namespace {

std::vector<std::string> Items(TForm1& form) {
    std::vector<std::string> items;
    for (const QString& text : form.ListBox1->ItemTexts())
        items.push_back(FromQString(text));
    return items;
}

TEST(RecipientListTest, GroupsComeFirstAndEverythingIsSortedIgnoringCase) {
    test::ProgramFixture program;
    program.WriteDataFile("Addbook.dat", {"zed,447700900003", "Ann,447700900001",
                                          "\"Front Desk\",4477", "NoNumber", "bob,447700900002"});
    program.WriteDataFile("Groups.dat", {"Team,Ann,bob", "alpha,zed", ""});
    TForm1& form = program.Start();

    EXPECT_EQ(Items(form),
              (std::vector<std::string>{" alpha", " Team", "Ann", "bob", "Front Desk", "zed"}));
    EXPECT_EQ(form.ListBox1->selectionMode(), QAbstractItemView::ExtendedSelection);
    const RecipientLists& lists = form.State().Recipients;
    EXPECT_EQ(lists.RecipientNames,
              (std::vector<std::string>{" Team", " alpha", "zed", "Ann", "Front Desk", "bob"}));
    EXPECT_EQ(lists.NumberOf(" Team"), kGroupNumber);
    EXPECT_EQ(lists.AddressNames, (std::vector<std::string>{"zed", "Ann", "Front Desk", "bob"}));
}

TEST(RecipientListTest, RefillingDropsTheSelectionAndEmptiesTheProgressPanel) {
    test::ProgramFixture program;
    program.WriteDataFile("Addbook.dat", {"Ann,1", "Bob,2"});
    TForm1& form = program.Start();
    program.Select({"Ann"});
    form.StatusBar1->SetPanelText(1, "Sending message to Ann");

    form.FillRecipientList();

    EXPECT_TRUE(program.SelectedTexts().empty());
    EXPECT_EQ(form.StatusBar1->PanelText(1), "");
    EXPECT_EQ(Items(form), (std::vector<std::string>{"Ann", "Bob"}));
}

TEST(RecipientListTest, NoGroupsAndNoContactsGiveAnEmptyList) {
    test::ProgramFixture program;
    TForm1& form = program.Start();
    EXPECT_EQ(form.ListBox1->count(), 0);
}

}  // namespace
}  // namespace corvane

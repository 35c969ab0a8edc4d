#include "contacts/recipient_lists.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using Texts = std::vector<std::string>;

DataList ListOf(const char* fileName, Texts entries) {
    DataList list(fileName);
    list.Assign(std::move(entries));
    return list;
}

TEST(RecipientLists, GroupsComeFirstThenContacts) {
    const DataList groups = ListOf(kGroupFileName, {"Team,\"Front Desk\",Stores", "Night,Bob"});
    const DataList contacts = ListOf(
        kAddressFileName, {"\"Front Desk\",447700900123", "Stores,441632960000", "Bob,4412"});
    const RecipientLists lists = BuildRecipientLists(groups, contacts);
    EXPECT_EQ(lists.RecipientNames, (Texts{" Team", " Night", "Front Desk", "Stores", "Bob"}));
    EXPECT_EQ(lists.RecipientNumbers, (Texts{"-1", "-1", "447700900123", "441632960000", "4412"}));
    EXPECT_EQ(lists.AddressNames, (Texts{"Front Desk", "Stores", "Bob"}));

    EXPECT_EQ(lists.NumberOf("Stores"), "441632960000");
    EXPECT_EQ(lists.NumberOf(" Night"), "-1");
    EXPECT_EQ(lists.IndexOf("Bob"), 4u);
    EXPECT_EQ(lists.NumberOf("bob"), std::nullopt);  // byte for byte, case counts
    EXPECT_EQ(lists.NumberOf("Night"), std::nullopt);
    EXPECT_TRUE(IsGroupItem(" Night"));
    EXPECT_FALSE(IsGroupItem("Bob"));
    EXPECT_FALSE(IsGroupItem(""));
}

TEST(RecipientLists, EntriesWithoutTheNeededFieldsArePassedOver) {
    const DataList groups = ListOf(kGroupFileName, {"", "   ", "Solo", "Team,", "\"\""});
    const DataList contacts =
        ListOf(kAddressFileName, {"", "Ann", "\"No Number\"", "Bob,4412,extra,fields", "Cy,"});
    const RecipientLists lists = BuildRecipientLists(groups, contacts);
    // A group naming no member is still listed; "" is a group with an empty name.
    EXPECT_EQ(lists.RecipientNames, (Texts{" Solo", " Team", " ", "Bob", "Cy"}));
    EXPECT_EQ(lists.RecipientNumbers, (Texts{"-1", "-1", "-1", "4412", ""}));
    EXPECT_EQ(lists.AddressNames, (Texts{"Bob", "Cy"}));
    EXPECT_EQ(lists.NumberOf("Ann"), std::nullopt);
}

TEST(RecipientLists, SameNameTwiceResolvesToTheFirst) {
    const DataList contacts = ListOf(kAddressFileName, {"Ann,111", "Bob,222", "Ann,333"});
    const RecipientLists lists = BuildRecipientLists(DataList(kGroupFileName), contacts);
    EXPECT_EQ(lists.RecipientNames, (Texts{"Ann", "Bob", "Ann"}));
    EXPECT_EQ(lists.NumberOf("Ann"), "111");
    EXPECT_EQ(lists.AddressNames, (Texts{"Ann", "Bob", "Ann"}));
}

TEST(RecipientLists, ContactNamedLikeAGroupItemResolvesToTheGroup) {
    const DataList groups = ListOf(kGroupFileName, {"Team,Ann"});
    const DataList contacts = ListOf(kAddressFileName, {"\" Team\",447700900123", "Ann,1"});
    const RecipientLists lists = BuildRecipientLists(groups, contacts);
    EXPECT_EQ(lists.RecipientNames, (Texts{" Team", " Team", "Ann"}));
    EXPECT_EQ(lists.NumberOf(" Team"), "-1");
    EXPECT_EQ(lists.AddressNames, (Texts{" Team", "Ann"}));
}

TEST(RecipientLists, NothingToList) {
    const RecipientLists lists =
        BuildRecipientLists(DataList(kGroupFileName), DataList(kAddressFileName));
    EXPECT_TRUE(lists.RecipientNames.empty());
    EXPECT_TRUE(lists.RecipientNumbers.empty());
    EXPECT_TRUE(lists.AddressNames.empty());
    EXPECT_EQ(lists.NumberOf(""), std::nullopt);
}

TEST(GroupIndex, FieldsAfterTheNameOfEveryEntryOfThatGroup) {
    const Texts entries = {
        "Team,\"Front Desk\",Stores", "",     "Night,Bob", "Solo", "team,Lower",
        "Team,Cy,\"Front Desk\"",     "Odd,",
    };
    const DataList groups = ListOf(kGroupFileName, entries);
    struct Case {
        std::string group;
        Texts expected;
    };
    const Case cases[] = {
        {"Team", {"Front Desk", "Stores", "Cy", "Front Desk"}},
        {"Night", {"Bob"}},
        {"team", {"Lower"}},
        {"Solo", {}},
        {"Odd", {""}},
        {"Nobody", {}},
        {"", {}},
    };
    const GroupIndex index(groups);
    for (const Case& c : cases)
        EXPECT_EQ(index.Members(c.group), c.expected) << c.group;
    EXPECT_TRUE(index.Contains("Solo"));
    EXPECT_FALSE(index.Contains("Nobody"));
}

TEST(GroupIndex, LargeGroupResolvesThroughTheRecipientLists) {
    Texts contacts;
    std::string group = "All";
    for (int i = 0; i < 5000; ++i) {
        contacts.push_back("\"Person " + std::to_string(i) + "\"," + std::to_string(440000 + i));
        group += ",\"Person " + std::to_string(i) + "\"";
    }
    group += ",Gone";  // deleted from the address book since
    const DataList groupList = ListOf(kGroupFileName, {group});
    const RecipientLists lists = BuildRecipientLists(groupList, ListOf(kAddressFileName, contacts));

    const GroupIndex index(groupList);
    Texts numbers;
    for (const std::string& member : index.Members("All")) {
        if (const auto number = lists.NumberOf(member))
            numbers.push_back(*number);
    }
    ASSERT_EQ(numbers.size(), 5000u);
    EXPECT_EQ(numbers.front(), "440000");
    EXPECT_EQ(numbers.back(), "444999");
}

}  // namespace
}  // namespace corvane

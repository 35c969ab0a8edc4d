#pragma once

// The lookup lists behind the main window's recipient list: every group (as a space
// and its name, number "-1") and then every contact, so that a selected item's text
// leads back to a number or a group.

#include <cstddef>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "contacts/data_files.h"

namespace corvane {

// Number that marks a group in RecipientNumbers.
inline constexpr const char* kGroupNumber = "-1";

struct RecipientLists {
    std::vector<std::string> RecipientNames;    // " " + group name, then contact names
    std::vector<std::string> RecipientNumbers;  // parallel: "-1" or the contact's number
    std::vector<std::string> AddressNames;      // contact names, in address book order

    // Position of the first RecipientNames entry equal to `name` (byte for byte).
    std::optional<std::size_t> IndexOf(const std::string& name) const;
    // RecipientNumbers at that position: what a list item with this text stands for.
    std::optional<std::string> NumberOf(const std::string& name) const;

  private:
    friend RecipientLists BuildRecipientLists(const DataList&, const DataList&);
    // Sending to a group of thousands looks up every member: no scan per lookup.
    std::unordered_map<std::string, std::size_t> firstIndex_;
};

// Builds the lists from the groups and the address book. A group entry with no
// field is passed over, and so is a contact entry with fewer than two fields.
RecipientLists BuildRecipientLists(const DataList& groupList, const DataList& addressList);

// True for a recipient item text that names a group.
inline bool IsGroupItem(const std::string& itemText) {
    return !itemText.empty() && itemText.front() == ' ';
}

// The members of each group, split from the group list once.
class GroupIndex {
  public:
    explicit GroupIndex(const DataList& groupList);
    // Fields 2 onward of every entry whose field 1 is `groupName`, in list order;
    // empty for a group without members and for an unknown name.
    const std::vector<std::string>& Members(const std::string& groupName) const;
    bool Contains(const std::string& groupName) const;

  private:
    std::unordered_map<std::string, std::vector<std::string>> members_;
};

}  // namespace corvane

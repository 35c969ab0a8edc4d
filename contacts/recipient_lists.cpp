#include "contacts/recipient_lists.h"

#include <iterator>

#include "contacts/comma_text.h"

namespace corvane {

std::optional<std::size_t> RecipientLists::IndexOf(const std::string& name) const {
    const auto found = firstIndex_.find(name);
    if (found == firstIndex_.end())
        return std::nullopt;
    return found->second;
}

std::optional<std::string> RecipientLists::NumberOf(const std::string& name) const {
    const auto index = IndexOf(name);
    if (!index)
        return std::nullopt;
    return RecipientNumbers[*index];
}

RecipientLists BuildRecipientLists(const DataList& groupList, const DataList& addressList) {
    RecipientLists lists;
    auto add = [&lists](std::string name, std::string number) {
        // emplace keeps the first position of a name that comes again.
        lists.firstIndex_.emplace(name, lists.RecipientNames.size());
        lists.RecipientNames.push_back(std::move(name));
        lists.RecipientNumbers.push_back(std::move(number));
    };
    for (const std::string& entry : groupList.Entries()) {
        std::vector<std::string> fields = SplitCommaText(entry);
        if (fields.empty())
            continue;
        add(" " + fields[0], kGroupNumber);
    }
    for (const std::string& entry : addressList.Entries()) {
        std::vector<std::string> fields = SplitCommaText(entry);
        if (fields.size() < 2)
            continue;
        lists.AddressNames.push_back(fields[0]);
        add(std::move(fields[0]), std::move(fields[1]));
    }
    return lists;
}

GroupIndex::GroupIndex(const DataList& groupList) {
    for (const std::string& entry : groupList.Entries()) {
        std::vector<std::string> fields = SplitCommaText(entry);
        if (fields.empty())
            continue;
        std::vector<std::string>& members = members_[fields[0]];
        members.insert(members.end(), std::make_move_iterator(fields.begin() + 1),
                       std::make_move_iterator(fields.end()));
    }
}

const std::vector<std::string>& GroupIndex::Members(const std::string& groupName) const {
    static const std::vector<std::string> kNone;
    const auto found = members_.find(groupName);
    return found == members_.end() ? kNone : found->second;
}

bool GroupIndex::Contains(const std::string& groupName) const {
    return members_.contains(groupName);
}

}  // namespace corvane

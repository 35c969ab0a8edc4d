// The main window's recipient list: every group, then every contact, as the
// items of ListBox1, with the lookup lists that map an item back to a number.

#include "app/program_state.h"
#include "app/ui/tform1.h"
#include "platform/ui/panel_status_bar.h"
#include "platform/ui/sorted_list_box.h"
#include "platform/win1252.h"

namespace corvane {

void TForm1::FillRecipientList() {
    ProgramState& state = State();
    state.Recipients = BuildRecipientLists(state.GroupList, state.AddressList);

    QStringList items;
    items.reserve(static_cast<qsizetype>(state.Recipients.RecipientNames.size()));
    for (const std::string& name : state.Recipients.RecipientNames)
        items << ToQString(name);
    ListBox1->clear();
    ListBox1->addItems(items);

    StatusBar1->SetPanelText(1, std::string());
}

}  // namespace corvane

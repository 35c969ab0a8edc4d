#pragma once

// The Send button: hands the editor's text to the gateway for every selected
// recipient, a selected group standing for its members, or for one typed number
// when nothing is selected. The selection is the operation's progress record:
// each recipient is deselected once its outcome is known.

#include <string>

namespace corvane {

class TForm1;
class TdlgEnterNumber;

class SendOperation {
  public:
    SendOperation(TForm1& form, TdlgEnterNumber& destinationDialog);
    void Run();

  private:
    // Steps before anything is sent; false when the send ends there.
    bool CheckMessageAndDestination();
    // Replaces each selected group item by its members.
    void ExpandSelectedGroups();
    // Sends to each selected item in list order; false when the login failed.
    bool SendToSelection();
    void ShowResults();
    void EndSend();
    void FinalStage();

    TForm1& form_;
    TdlgEnterNumber& dialog_;
    // The number typed into the destination dialog, while it waits to be sent.
    bool typedDestination_ = false;
    std::string typedNumber_;
    bool hourglass_ = false;
};

}  // namespace corvane

#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "app/ui/program_windows.h"
#include "app/ui/tform1.h"
#include "platform/registry_file.h"
#include "platform/ui/memo_edit.h"
#include "platform/ui/sorted_list_box.h"
#include "platform/win1252.h"
#include "tests/support/file_bytes.h"
#include "tests/support/gateway_fixture.h"

namespace corvane::test {

namespace fs = std::filesystem;

ProgramFixture::ProgramFixture()
    : server_(std::make_unique<gateway::GatewayServer>(TestGatewayConfig())) {
    fs::create_directories(DataFolder());

    EXPECT_TRUE(server_->Listen()) << server_->ErrorText();
    profile_.WithSettings([this](Registry& registry) {
        registry.WriteString("ServerIPAddress", "127.0.0.1");
        registry.WriteInteger("ServerIPPort", server_->Port());
        registry.WriteString("ServerLoginName", "ann");
        WriteScrambledValue(registry, "ServerPassword", "s3cret");
    });
}

ProgramFixture::~ProgramFixture() = default;

std::string ProgramFixture::DataFolder() const {
    return profile_.DataFolder();
}

void ProgramFixture::StoreString(const std::string& name, const std::string& value) {
    profile_.WithSettings([&](Registry& registry) { registry.WriteString(name, value); });
}

void ProgramFixture::StoreScrambled(const std::string& name, const std::string& value) {
    profile_.WithSettings([&](Registry& registry) { WriteScrambledValue(registry, name, value); });
}

void ProgramFixture::WriteDataFile(const std::string& name, const std::vector<std::string>& lines) {
    std::ofstream file(DataFolder() + "/" + name, std::ios::binary);
    for (const std::string& line : lines)
        file << line << "\r\n";
}

TForm1& ProgramFixture::Start() {
    windows_ = CreateProgramWindows(profile_.Environment());
    windows_->Form1->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(windows_->Form1.get()));
    return *windows_->Form1;
}

TForm1& ProgramFixture::Form() {
    return *windows_->Form1;
}

void ProgramFixture::Select(const std::vector<std::string>& itemTexts) {
    QListWidget& list = *Form().ListBox1;
    for (const std::string& text : itemTexts) {
        const QList<QListWidgetItem*> found = list.findItems(ToQString(text), Qt::MatchExactly);
        ASSERT_FALSE(found.isEmpty()) << "no list item " << text;
        found.front()->setSelected(true);
    }
}

std::vector<std::string> ProgramFixture::SelectedTexts() {
    QListWidget& list = *Form().ListBox1;
    std::vector<std::string> texts;
    for (int row = 0; row < list.count(); ++row) {
        if (list.item(row)->isSelected())
            texts.push_back(FromQString(list.item(row)->text()));
    }
    return texts;
}

std::string ProgramFixture::MemoText() {
    return FromQString(Form().Memo1->toPlainText());
}

void ProgramFixture::SetMemoText(const std::string& text) {
    Form().Memo1->setPlainText(ToQString(text));
}

std::vector<std::string> ProgramFixture::LogFileLines() const {
    const std::string text = ReadFileBytes(DataFolder() + "/Log.dat");
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "Log.dat does not end with CR LF";
        if (end == std::string::npos)
            break;
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> ProgramFixture::MessLines() const {
    std::vector<std::string> lines;
    for (const std::string& command : server_->ReceivedCommands()) {
        if (command.rfind("MESS ", 0) == 0)
            lines.push_back(command);
    }
    return lines;
}

}  // namespace corvane::test

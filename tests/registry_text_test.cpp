#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/registry_text.h"

namespace corvane {
namespace {

RegistryValue Text(std::string name, std::string text) {
    return {std::move(name), RegistryType::String, std::move(text), 0};
}
RegistryValue Number(std::string name, std::uint32_t number) {
    return {std::move(name), RegistryType::Integer, {}, number};
}
RegistryValue Bytes(std::string name, std::string bytes) {
    return {std::move(name), RegistryType::Binary, std::move(bytes), 0};
}

constexpr const char* kSettings = "HKEY_CURRENT_USER\\Software\\Corvane\\SMSClient\\Settings";
constexpr const char* kWindow = "HKEY_CURRENT_USER\\Software\\Corvane\\SMSClient\\WINDOW";

const char* const kSampleText =
    "REGEDIT4\n"
    "\n"
    "[HKEY_CURRENT_USER\\Software\\Corvane\\SMSClient\\Settings]\n"
    "\"DBName\"=\"/home/ann/.local/share/Corvane/Data\"\n"
    "\"ServerIPAddress\"=\"127.0.0.1\"\n"
    "\"ServerIPPort\"=dword:00000a94\n"
    "\"ServerLoginName\"=\"ann\"\n"
    "\"ServerPassword\"=hex:35,1f,c2,07\n"
    "\"DefaultCountryCode\"=\"44\"\n"
    "\n"
    "[HKEY_CURRENT_USER\\Software\\Corvane\\SMSClient\\WINDOW]\n"
    "\"Top\"=dword:0000006f\n"
    "\"Left\"=dword:000000e1\n"
    "\"Width\"=dword:000001d5\n"
    "\"Height\"=dword:0000022e\n";

RegistryDocument SampleDocument() {
    RegistryDocument document;
    RegistryKey& settings = document.AddKey(kSettings);
    settings.SetValue(Text("DBName", "/home/ann/.local/share/Corvane/Data"));
    settings.SetValue(Text("ServerIPAddress", "127.0.0.1"));
    settings.SetValue(Number("ServerIPPort", 2708));
    settings.SetValue(Text("ServerLoginName", "ann"));
    settings.SetValue(Bytes("ServerPassword", "\x35\x1f\xc2\x07"));
    settings.SetValue(Text("DefaultCountryCode", "44"));
    RegistryKey& window = document.AddKey(kWindow);
    window.SetValue(Number("Top", 111));
    window.SetValue(Number("Left", 225));
    window.SetValue(Number("Width", 469));
    window.SetValue(Number("Height", 558));
    return document;
}

void ExpectSameValue(const RegistryValue& actual, const RegistryValue& expected) {
    EXPECT_EQ(actual.name, expected.name);
    EXPECT_EQ(actual.type, expected.type) << expected.name;
    if (expected.type == RegistryType::Integer) {
        EXPECT_EQ(actual.number, expected.number) << expected.name;
    } else {
        EXPECT_EQ(actual.data, expected.data) << expected.name;
    }
}

void ExpectSameDocument(const RegistryDocument& actual, const RegistryDocument& expected) {
    ASSERT_EQ(actual.keys.size(), expected.keys.size());
    for (std::size_t k = 0; k < expected.keys.size(); ++k) {
        EXPECT_EQ(actual.keys[k].path, expected.keys[k].path);
        ASSERT_EQ(actual.keys[k].values.size(), expected.keys[k].values.size());
        for (std::size_t v = 0; v < expected.keys[k].values.size(); ++v) {
            ExpectSameValue(actual.keys[k].values[v], expected.keys[k].values[v]);
        }
    }
}

TEST(RegistryText, WritesTheExportFormatLineForLine) {
    EXPECT_EQ(FormatRegistryText(SampleDocument()), kSampleText);
}

TEST(RegistryText, ReadsWhatItWrites) {
    ExpectSameDocument(ParseRegistryText(kSampleText), SampleDocument());
}

TEST(RegistryText, AwkwardStringsSurviveTheRoundTrip) {
    const std::string texts[] = {
        "",
        "say \"hi\"",
        "C:\\Program Files\\",
        "\\\\server\\\"share\"\\",
        "\x80\x9f\xa3\xe9\xff caf\xe9",
        "  padded  ",
        "a=b;c [d] @e",
        "\"",
        "\\",
        "two\r\nlines",
        "lf\nonly",
        std::string("zero\0inside", 11),
    };
    for (const std::string& text : texts) {
        RegistryDocument document;
        document.AddKey(kSettings).SetValue(Text("Signature", text));
        document.AddKey(kSettings).SetValue(Text(text.empty() ? "x" : "name " + text, "v"));
        const RegistryDocument back = ParseRegistryText(FormatRegistryText(document));
        ASSERT_EQ(back.keys.size(), 1u) << text;
        const RegistryValue* value = back.keys[0].FindValue("Signature");
        ASSERT_NE(value, nullptr) << text;
        EXPECT_EQ(value->type, RegistryType::String);
        // A zero byte ends a registry string, as it does on Windows.
        EXPECT_EQ(value->data, text.substr(0, text.find('\0'))) << text;
        if (IsWritableRegistryName("name " + text) && !text.empty()) {
            EXPECT_NE(back.keys[0].FindValue("name " + text), nullptr) << text;
        }
    }
}

TEST(RegistryText, StringWithLineBreakIsWrittenAsWindowsStringBytes) {
    RegistryDocument document;
    document.AddKey(kSettings).SetValue(Text("Signature", "a\nb"));
    EXPECT_NE(FormatRegistryText(document).find("\"Signature\"=hex(1):61,0a,62,00\n"),
              std::string::npos);
}

TEST(RegistryText, IntegersAndBytesOverTheirWholeRange) {
    RegistryDocument document;
    RegistryKey& key = document.AddKey(kSettings);
    key.SetValue(Number("zero", 0));
    key.SetValue(Number("max", 0xffffffffu));
    key.SetValue(Number("high", 0x80000000u));
    key.SetValue(Bytes("empty", ""));
    key.SetValue(Bytes("all", std::string("\x00\x01\x7f\x80\xfe\xff", 6)));
    const std::string text = FormatRegistryText(document);
    EXPECT_NE(text.find("\"max\"=dword:ffffffff\n"), std::string::npos);
    EXPECT_NE(text.find("\"empty\"=hex:\n"), std::string::npos);
    EXPECT_NE(text.find("\"all\"=hex:00,01,7f,80,fe,ff\n"), std::string::npos);
    ExpectSameDocument(ParseRegistryText(text), document);
}

TEST(RegistryText, HandWrittenFileWithCommentsCrLfAndGarbage) {
    const std::string text =
        "REGEDIT4\r\n"
        "\r\n"
        "; settings carried over by hand\r\n"
        "\"Orphan\"=\"before any key\"\r\n"
        "[HKEY_CURRENT_USER\\Software\\Corvane\\SMSClient\\Settings]\r\n"
        "  \"ServerIPAddress\" = \"sms.example.net\"  \r\n"
        "\"Broken\"=\"no closing quote\r\n"
        "\"BadNumber\"=dword:xyz\r\n"
        "\"TooLong\"=dword:123456789\r\n"
        "\"BadBytes\"=hex:01,zz\r\n"
        "\"Trailing\"=\"text\" junk\r\n"
        "\"Deleted\"=-\r\n"
        "just some garbage\r\n"
        "\"ServerIPPort\"=DWORD:00000A94\r\n"
        "@=\"default\"\r\n"
        "[unterminated header\r\n"
        "\"Lost\"=\"under a broken header\"\r\n"
        "[-HKEY_CURRENT_USER\\Removed]\r\n"
        "\"AlsoLost\"=dword:00000001\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\software\\corvane\\smsclient\\settings]\n"
        "\"Signature\"=\"Ann\"\n"
        "\"ServerIPPort\"=dword:00000b00";
    const RegistryDocument document = ParseRegistryText(text);
    ASSERT_EQ(document.keys.size(), 1u);
    const RegistryKey& key = document.keys[0];
    EXPECT_EQ(key.path, kSettings);
    ASSERT_EQ(key.values.size(), 4u);
    ExpectSameValue(key.values[0], Text("ServerIPAddress", "sms.example.net"));
    ExpectSameValue(key.values[1], Number("ServerIPPort", 0xb00));  // the later line wins
    ExpectSameValue(key.values[2], Text("", "default"));
    ExpectSameValue(key.values[3], Text("Signature", "Ann"));
}

TEST(RegistryText, NamesAreMatchedWithoutRegardToCase) {
    RegistryDocument document = ParseRegistryText(kSampleText);
    ASSERT_NE(document.FindKey("hkey_current_user\\SOFTWARE\\corvane\\smsclient\\window"), nullptr);
    EXPECT_NE(document.keys[0].FindValue("serveripport"), nullptr);
    EXPECT_EQ(document.keys[0].FindValue("ServerIPPort2"), nullptr);
}

// A Windows export: UTF-16 with a byte order mark, strings of hex(2) in UTF-16,
// long hex values wrapped over lines, and types the program never reads.
TEST(RegistryText, ReadsAUnicodeWindowsExport) {
    const std::u16string lines =
        u"Windows Registry Editor Version 5.00\r\n"
        u"\r\n"
        u"[HKEY_CURRENT_USER\\Software\\Corvane\\SMSClient\\Settings]\r\n"
        u"\"Signature\"=\"Zo\u00eb \u20ac \u4e2d\"\r\n"
        u"\"DBName\"=hex(2):2f,00,e9,00,\\\r\n"
        u"  00,00\r\n"
        u"\"ServerPassword\"=hex:35,1f,\\\r\n"
        u"  c2,07\r\n"
        u"\"ServerIPPort\"=hex(4):94,0a,00,00\r\n"
        u"\"Multi\"=hex(7):61,00,00,00,00,00\r\n";
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : lines) {
        bytes.push_back(static_cast<char>(unit & 0xff));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    const RegistryDocument document = ParseRegistryText(bytes);
    ASSERT_EQ(document.keys.size(), 1u);
    const RegistryKey& key = document.keys[0];
    ASSERT_EQ(key.values.size(), 5u);
    ExpectSameValue(key.values[0], Text("Signature", "Zo\xeb \x80 ?"));
    ExpectSameValue(key.values[1], Text("DBName", "/\xe9"));
    ExpectSameValue(key.values[2], Bytes("ServerPassword", "\x35\x1f\xc2\x07"));
    ExpectSameValue(key.values[3], Number("ServerIPPort", 2708));
    EXPECT_EQ(key.values[4].type, RegistryType::Other);
    // A value of a type the program does not use is written back as it came.
    EXPECT_NE(FormatRegistryText(document).find("\"Multi\"=hex(7):61,00,00,00,00,00\n"),
              std::string::npos);
}

TEST(RegistryText, DamagedTextNeverBreaksTheReader) {
    std::mt19937 random(2708);
    const std::string sample = kSampleText;
    for (int round = 0; round < 2000; ++round) {
        std::string text = sample;
        const int changes = 1 + static_cast<int>(random() % 8);
        for (int c = 0; c < changes; ++c) {
            const std::size_t at = random() % text.size();
            switch (random() % 3) {
                case 0:
                    text[at] = static_cast<char>(random() % 256);
                    break;
                case 1:
                    text.erase(at, 1 + random() % 20);
                    break;
                default:
                    text.insert(at, 1, "\\\"[]=,:\r\n\0"[random() % 10]);
                    break;
            }
            if (text.empty())
                text = "[";
        }
        const RegistryDocument document = ParseRegistryText(text);
        // Whatever was read is written and read again to the same values.
        ExpectSameDocument(ParseRegistryText(FormatRegistryText(document)), document);
    }
}

}  // namespace
}  // namespace corvane

// The plug-ins' messages in the user's language: the catalogue against the
// texts the plug-ins contain, and both renderings through the real plug-ins.
#include "Messages.h"
#include "TestSupport.h"
#include "ToolRunner.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <map>
#include <regex>

namespace {

// Every IDS_ text defined in the plug-in sources, by name, in UTF-8.
std::map<std::string, std::string> pluginTexts()
{
    const std::regex definition(R"re((IDS_[A-Z_]+)\s*=\s*L"([^"]*)")re");
    std::map<std::string, std::string> texts;
    for (const char* folder : {"sat_plugins", "PluginsBase"})
        for (const auto& entry : std::filesystem::recursive_directory_iterator(test::sourcePath(folder))) {
            const std::string source = test::readBytes(entry.path());
            for (auto it = std::sregex_iterator(source.begin(), source.end(), definition); it != std::sregex_iterator();
                 ++it)
                texts[(*it)[1]] = (*it)[2];
        }
    return texts;
}

TEST(MessageCatalogue, HoldsExactlyThePluginTexts)
{
    const auto texts = pluginTexts();
    ASSERT_GE(texts.size(), 8u);
    std::map<std::string, std::string> catalogued;
    std::map<std::string, int> codes;
    for (const auto& entry : cli::messageCatalogue()) {
        catalogued[entry.id] = test::U(entry.russian);
        EXPECT_EQ(++codes[entry.code], 1) << "code used twice: " << entry.code;
    }
    EXPECT_EQ(catalogued, texts) << "a plug-in text without its English wording, or one no plug-in has any more";
}

TEST(MessageCatalogue, RendersByLanguage)
{
    struct Case {
        std::wstring text;
        std::wstring english, russian;
    };
    const Case cases[] = {
        {L"Некорректный формат строки", L"Invalid line format (Некорректный формат строки)",
         L"Некорректный формат строки"},
        {L"Пустое имя пункта. Генерируем имя point_7.",
         L"Empty point name. Generating the name point_7. (Пустое имя пункта. Генерируем имя point_7.)",
         L"Пустое имя пункта. Генерируем имя point_7."},
        {L"Пустое имя пункта. Генерируем имя .",
         L"Empty point name. Generating the name . (Пустое имя пункта. Генерируем имя .)",
         L"Пустое имя пункта. Генерируем имя ."},
        // Not the whole fixed text: shown as sent.
        {L"Пустое имя пункта. Генерируем имя", L"Пустое имя пункта. Генерируем имя",
         L"Пустое имя пункта. Генерируем имя"},
        {L"Ошибка при открытии файла!", L"Ошибка при открытии файла!", L"Ошибка при открытии файла!"},
        {L"no plug-in recognises this file", L"no plug-in recognises this file", L"no plug-in recognises this file"},
        {L"", L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cli::displayText(c.text, cli::Language::English), c.english) << test::U(c.text);
        EXPECT_EQ(cli::displayText(c.text, cli::Language::Russian), c.russian) << test::U(c.text);
    }
}

TEST(MessageCatalogue, LanguageFollowsTheMessagesLocale)
{
    struct Case {
        const char *all, *messages, *lang;
        cli::Language expected;
    };
    const auto ru = cli::Language::Russian, en = cli::Language::English;
    const Case cases[] = {
        {"", "", "ru_RU.UTF-8", ru},        {"C.UTF-8", "", "ru_RU.UTF-8", en},  {"", "ru_UA.KOI8-U", "en_US", ru},
        {"ru", "", "", ru},                 {"", "", "", en},                    {"", "", "rue_ES", en},
        {"ru_RU@euro", "en_GB", "", ru},    {"", "", "russian", en},
    };
    for (const auto& c : cases) {
        ::setenv("LC_ALL", c.all, 1);
        ::setenv("LC_MESSAGES", c.messages, 1);
        ::setenv("LANG", c.lang, 1);
        EXPECT_EQ(cli::languageFromEnvironment(), c.expected) << c.all << "|" << c.messages << "|" << c.lang;
    }
    ::unsetenv("LC_MESSAGES");
    ::unsetenv("LANG");
    ::setenv("LC_ALL", "C.UTF-8", 1);
}

class ToolMessages : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& bytes) { return test::U(dir.write(name, bytes)); }

    test::TempDir dir;
};

TEST_F(ToolMessages, ShowTheUsersLanguage)
{
    // Line 4 has an empty name, line 5 a bad coordinate.
    const std::string tgo = write("net.asc", "[General]\nSeparator=,\n[Stations]\nStation=2,,,55N,37E\n"
                                             "Station=2,,P1,?,37E\n");
    const std::string missing = (dir.path() / "missing.asc").string();
    const std::string english[] = {"missing.asc: error: Error opening the file (Ошибка при открытии файла)\n",
                                   "net.asc:4: warning: Empty point name. Generating the name point_0. (Пустое имя "
                                   "пункта. Генерируем имя point_0.)\n",
                                   "net.asc:5: error: Invalid line format (Некорректный формат строки)\n"};
    const std::string russian[] = {"missing.asc: error: Ошибка при открытии файла\n",
                                   "net.asc:4: warning: Пустое имя пункта. Генерируем имя point_0.\n",
                                   "net.asc:5: error: Некорректный формат строки\n"};
    struct Case {
        const char* all;
        const char* lang;
        std::vector<std::string> options;
        const std::string* expected;
    };
    const Case cases[] = {
        {"C.UTF-8", "ru_RU.UTF-8", {}, english},
        {"", "ru_RU.UTF-8", {}, russian},
        {"", "ru_RU.UTF-8", {"--lang", "en"}, english},
        {"C.UTF-8", "", {"--lang", "ru"}, russian},
    };
    for (const auto& c : cases) {
        test::ToolEnv env;
        env.locale = c.all;
        env.env = {{"LANG", c.lang}, {"LC_MESSAGES", ""}};
        std::vector<std::string> args = c.options;
        args.insert(args.end(), {"-p", "tgotbc", missing, tgo});
        const auto run = test::runTool(args, env);
        EXPECT_EQ(run.status, 1) << run.err;
        for (int i = 0; i < 3; ++i)
            EXPECT_NE(run.err.find(c.expected[i]), std::string::npos) << c.all << "|" << c.lang << "\n" << run.err;
    }
}

TEST_F(ToolMessages, JsonCarriesTheTextItsCodeAndEnglish)
{
    const auto run = test::runTool({"-f", "json", "--lang", "ru", "-p", "pinnacle", write("stations.dat", ":::\n"),
                                    write("station.dat", ":::\n")});
    EXPECT_EQ(run.status, 1) << run.err;
    const auto doc = nlohmann::json::parse(run.out);
    const auto error = [&](int file) {
        for (const auto& m : doc["files"][file]["messages"])
            if (m["severity"] == "error")
                return m;
        return nlohmann::json();
    };
    EXPECT_EQ(error(0), (nlohmann::json{{"severity", "error"},
                                        {"line", nullptr},
                                        {"text", "Требуется station.dat или vector.dat файл."},
                                        {"code", "not-station-or-vector-file"},
                                        {"textEn", "A station.dat or vector.dat file is required."}}));
    EXPECT_EQ(error(1)["code"], "invalid-file-format");
    EXPECT_EQ(error(1)["textEn"], "Unknown file format");
    // The tool's own texts are English already and have no code.
    const auto own = test::runTool({"-f", "json", write("notes.xyz", "hello\n")});
    const auto message = nlohmann::json::parse(own.out)["files"][0]["messages"][0];
    EXPECT_EQ(message["code"], nullptr);
    EXPECT_EQ(message["textEn"], message["text"]);
}

} // namespace

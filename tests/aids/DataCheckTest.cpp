// The data check over a small country, whole and then broken in every way the
// check knows, over the shipped data, and the scan for string keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "aids/DataCheck.h"
#include "aids/StringKeyScan.h"
#include "core/SetupValues.h"
#include "core/TextUtilities.h"
#include "support/FreshNetwork.h"
#include "support/TempDirectory.h"

namespace {

const char* kVoters =
    "#,_All_,All,,1.0,Everyone,0.5,#\n"
    "#,Poor,Poor,,0.3,Low incomes,0.45,#,\"_All_,0.1\"\n";
const char* kValues =
    "#,GDP,Economy,Output,0.5,1,Low,High,#\n"
    "#,Crime,Crime,Crime rate,0.3,0,Low,High,#,\"GDP,0.2-(0.1*x)\"\n";
const char* kPolicies =
    "#,Police,Police Force,Funding,Keeps order,TRUE,LAW & "
    "ORDER,10,50,,2,0,0,,#Effects,\"Crime,0-(0.2*x)\","
    "\"Poor,0+(0.05*x)\"\n";
const char* kSituations =
    "#,CrimeWave,Crime Wave,Crime is up,LAW & ORDER,Start,End,0,0,0,\"Crime,0+(1.0*x)\",#,"
    "\"Poor,0-(0.1*x)\"\n";
const char* kEvents =
    "#,Strike,Strike,Workers stop,0.3,0.8,,\"_random_,0,0.4\",#,\"Poor,-0.1,0.8\"\n";
const char* kDilemma =
    "[dilemma]\nname=Judge\nguiname=A Judge\ndescription=Pick one\ncountries=Valoria\n"
    "[influences]\n0=Crime,0+(0.5*x)\n"
    "[option0]\nName=Yes\nDescription=Yes\n[option0effects]\n0=Poor,0.05\n"
    "[option1]\nName=No\nDescription=No\n[option1effects]\n0=_All_,-0.02\n";
const char* kMission =
    "[config]\nname=Valoria\nwealth=1\npopulation=1000\nunemployment=0.2\nreligion=0.3\nyear=2030\n"
    "termlength=4\nmatrix=data/missions/mission1.mtx\n[policies]\nPolice,0.5\n";

class DataCheckTest : public FreshNetworkTest {
protected:
    void SetUp() override {
        FreshNetworkTest::SetUp();
        Write("data/data.ini",
              "[setup]\nvoters=data/simulation/votertypes.csv\nsimulation=data/simulation/"
              "simulation.csv\n"
              "policies=data/simulation/policies.csv\nsituations=data/simulation/situations.csv\n"
              "events=data/simulation/events.csv\n");
        Write("data/simulation/votertypes.csv", kVoters);
        Write("data/simulation/simulation.csv", kValues);
        Write("data/simulation/sliders.csv", "#,Funding,3,Low,Mid,High\n");
        Write("data/simulation/policies.csv", kPolicies);
        Write("data/simulation/situations.csv", kSituations);
        Write("data/simulation/events.csv", kEvents);
        Write("data/simulation/dilemmas/Judge.txt", kDilemma);
        Write("data/manifesto.csv", "#,Cut crime,Crime,-0.1,<\n");
        Write("data/hints.csv", "#,CrimeWave,Police\n");
        Write("data/missions/mission1.txt", kMission);
        Write("data/strings.ini", "[strings]\nAPP_TITLE=Test\n[report_intro]\n0=Bad\n1=Good\n");
        std::string styles;
        for (const char* section :
             {"TITLE", "PARAGRAPH", "HEADLINE", "APPROVAL", "RCMENU", "BUTTONTEXT", "BOLDTEXT"})
            styles += std::string("[") + section + "]\nfont=Sans\nsize=12\nr=0\ng=0\nb=0\n";
        Write("data/stylesheet.ini", styles);
        std::string skins = "[default]\n";
        for (const char* key :
             {"COL_BOXOUTLINE", "COL_GRAPHGRID", "COL_GRAPHFRAME", "COL_YELLOWPOP",
              "COL_YELLOWPOPHIGH", "COL_REDPOP", "COL_REDPOPHIGH", "COL_GREENPOP",
              "COL_GREENPOPHIGH", "COL_TABBACK"})
            skins += std::string(key) + "=1,2,3,255\n";
        Write("data/skins.ini", skins);
    }

    void TearDown() override {
        FreshNetworkTest::TearDown();
        SetupValues::Instance().Load("none.ini");
    }

    void Write(const std::string& path, const std::string& text) { dir_.Write(path, text); }

    std::vector<std::string> Check() {
        StringKeyUsage keys;
        keys.asked = {{StringKeyUse::Kind::Key, "APP_TITLE", "src/main.cpp:5"},
                      {StringKeyUse::Kind::Section, "report_intro", "src/News.cpp:9"}};
        keys.mentioned = {"APP_TITLE", "report_intro"};
        DataCheck check(keys);
        std::vector<std::string> lines;
        for (const DataFinding& finding : check.Run()) lines.push_back(finding.Describe());
        return lines;
    }

    TempDirectory dir_;
};

std::string Listing(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

bool Has(const std::vector<std::string>& lines, const std::string& text) {
    return std::find(lines.begin(), lines.end(), text) != lines.end();
}

}  // namespace

TEST_F(DataCheckTest, WholeCountryPassesAndEveryKindOfFaultIsFoundWithItsFileAndLine) {
    ASSERT_EQ(Check(), std::vector<std::string>());

    std::string voters =
        std::string(kVoters) + "#,Rich,Rich,,0.1,High incomes,1.5,#,\"Poorer,0.2\"\n";
    for (int i = 4; i <= 22; ++i) voters += "#,G" + std::to_string(i) + ",G,,0.1,Group,0.5,#\n";
    Write("data/simulation/votertypes.csv", voters);
    Write("data/simulation/policies.csv",
          "#,Police,Police Force,Funding,Keeps order,TRUE,LAW & "
          "ORDER,10,50,,0,0,0,,#Effects,\"Crim,0-(0.2*x)\","
          "\"Poor,0+(O.05*x)\",\"GDP,0.1*x\",\"Crime,1+(x/0)\"\n");
    Write("data/simulation/situations.csv",
          "#,CrimeWave,Crime Wave,Crime is up,LAW & ORDER,Start,End,0,0,0,\"Crime,0+(1.0*x)\",#,"
          "\"Crime,0+(0.1*x)\"\n");
    Write("data/simulation/events.csv",
          "#,Strike,Strike,Workers stop,0.3,0.8,,\"_random_,0.4,0\",#,\"Poorest,-0.1,0.8\"\n"
          "#,GDP,Boom,Money everywhere,0.3,0.8,,\"_random_,0,0.4\",#\n");
    Write("data/simulation/sliders.csv", "#,Funding,4,Low,Mid,High\n");
    std::string dilemma = kDilemma;
    dilemma.replace(dilemma.find("countries=Valoria"), 17, "countries=Valoria,Valorria");
    Write("data/simulation/dilemmas/Judge.txt", dilemma);
    std::string skins = dir_.Read("data/skins.ini");
    skins.replace(skins.find("1,2,3,255"), 9, "1,2,3");
    Write("data/skins.ini", skins + "COL_INK=1,2\nCOL_INKY=1,2,3,255\n");
    Write("data/missions/mission1.txt", std::string(kMission) + "Curfew,0.5\n");
    Write("data/missions/mission1.mtx", "_All_,Poor,\n_All_,Nobody,\n");
    Write("data/manifesto.csv", "#,Cut crime,Crimes,-0.1,<\n");
    Write("data/hints.csv", "#,CrimeWave,Police\n#,Riots,Police\n");
    Write("data/strings.ini", "[strings]\nUNUSED_KEY=Nobody reads me\n[report_intro]\n0=Bad\n");
    const std::vector<std::string> found = Check();
    const std::string listing = Listing(found);

    const char* policies = "data/simulation/policies.csv:1: record 'Police', key ";
    EXPECT_TRUE(Has(found, std::string(policies) + "'Crim': cant find Crim in Police")) << listing;
    EXPECT_TRUE(Has(found, std::string(policies) + "'implementation time': 0 is outside 1 to 128"))
        << listing;
    EXPECT_TRUE(
        Has(found, std::string(policies) +
                       "'Poor': formula '0+(O.05*x)': the operand 'O.05' is neither x nor a number "
                       "(it reads as 0)"))
        << listing;
    EXPECT_TRUE(
        Has(found, std::string(policies) +
                       "'GDP': formula '0.1*x': the first operator must be followed by '('"))
        << listing;
    EXPECT_TRUE(
        Has(found, std::string(policies) +
                       "'Crime': formula '1+(x/0)': gives an infinite value at x = 0") ||
        Has(found, std::string(policies) + "'Crime': formula '1+(x/0)': gives no number at x = 0"))
        << listing;
    EXPECT_TRUE(Has(
        found,
        "data/simulation/votertypes.csv:3: record 'Rich', key 'base mood': 1.5 is outside -1 to 1"))
        << listing;
    EXPECT_TRUE(
        Has(found,
            "data/simulation/votertypes.csv:3: record 'Rich', key 'Poorer': no voter group named "
            "'Poorer' to be drawn to"))
        << listing;
    EXPECT_TRUE(
        Has(found,
            "data/simulation/votertypes.csv:22: record 'G22': the main screen has places for 21 "
            "voter groups; this one and those after it fall outside its grid"))
        << listing;
    EXPECT_TRUE(
        Has(found,
            "data/simulation/situations.csv:1: record 'CrimeWave': effects form a cycle that never "
            "settles: CrimeWave > Crime > CrimeWave") ||
        Has(found,
            "data/simulation/simulation.csv:2: record 'Crime': effects form a cycle that never "
            "settles: Crime > CrimeWave > Crime"))
        << listing;
    EXPECT_TRUE(
        Has(found,
            "data/simulation/events.csv:1: record 'Strike', key '_random_': random bounds run "
            "backwards: 0.4 is above 0"))
        << listing;
    EXPECT_TRUE(Has(
        found,
        "data/simulation/events.csv:1: record 'Strike', key 'Poorest': no neuron named 'Poorest'; "
        "the game ends when the event fires"))
        << listing;
    EXPECT_TRUE(
        Has(found,
            "data/missions/mission1.txt:12: record 'Curfew', key 'policies': no policy named "
            "'Curfew'; the game skips it"))
        << listing;
    EXPECT_TRUE(
        Has(found,
            "data/missions/mission1.mtx:2: key 'Nobody': no voter group named 'Nobody'; the game "
            "cannot start (delete the file to generate it anew)"))
        << listing;
    EXPECT_TRUE(Has(
        found,
        "data/manifesto.csv:1: record 'Crimes', key 'neuron': no simulation value named 'Crimes' "
        "to pledge on"))
        << listing;
    EXPECT_TRUE(Has(
        found,
        "data/hints.csv:2: record 'Riots': no situation named 'Riots'; its hints are never shown"))
        << listing;
    EXPECT_TRUE(Has(
        found,
        "data/strings.ini: key 'APP_TITLE': missing from section [strings]; src/main.cpp:5 asks "
        "for it and shows the key instead"))
        << listing;
    EXPECT_TRUE(
        Has(found, "data/strings.ini:2: key 'UNUSED_KEY': no code asks for this key (warning)"))
        << listing;
    for (const char* text :
         {"data/simulation/events.csv:2: record 'GDP': the name 'GDP' is taken already "
          "(data/simulation/simulation.csv:1); look-ups find only the first",
          "data/simulation/sliders.csv:1: record 'Funding', key 'labels': 3 labels for 4 steps: "
          "the "
          "label shown is not the step taken",
          "data/simulation/dilemmas/Judge.txt:5: record 'Judge', key 'countries': no mission is "
          "named 'Valorria', so the dilemma never arises there",
          "data/skins.ini:2: record 'default', key 'COL_BOXOUTLINE': '1,2,3' is not "
          "red,green,blue,alpha from 0 to 255",
          "data/skins.ini:12: record 'default', key 'COL_INK': '1,2' is not "
          "red,green,blue,alpha from 0 to 255",
          "data/skins.ini:13: record 'default', key 'COL_INKY': not a colour the game draws; the "
          "line is ignored (warning)"}) {
        EXPECT_TRUE(Has(found, text)) << text << "\n" << listing;
    }

    // A warning alone passes: the whole country again, with an unused key.
    SetUp();
    std::filesystem::remove("data/missions/mission1.mtx");
    Write("data/strings.ini", "[strings]\nAPP_TITLE=Test\nSPARE=Spare\n[report_intro]\n0=Bad\n");
    DataCheck check({{{StringKeyUse::Kind::Key, "APP_TITLE", "src/main.cpp:5"}},
                     {"APP_TITLE", "report_intro"}});
    check.Run();
    EXPECT_EQ(check.ProblemCount(), 0);
    EXPECT_EQ(check.WarningCount(), 1);
}

TEST_F(DataCheckTest, ShortLabelsMustFitTheSmallestScreen) {
    // Enough values for bars as narrow as the shipped ones; six pixels a letter.
    std::string values = "#,GDP,Economy,Output,0.5,1,Low,High,#\n"
                         "#,Crime,Crime Rate,Crime rate,0.3,0,Low,High,#\n";
    for (int i = 3; i <= 42; ++i) values += FormatText("#,V%d,V%d,,0.5,1,#\n", i, i);
    Write("data/simulation/simulation.csv", values);
    Write("data/simulation/votertypes.csv",
          "#,_All_,All,,1.0,Everyone,0.5,#\n"
          "#,Poor,Poor,,0.3,Low incomes,0.45,Low earners,#,\"_All_,0.1\"\n");
    DataCheck check({}, [](std::string_view, int, std::string_view text) {
        return 6 * int(text.size());
    });
    std::vector<std::string> found;
    for (const DataFinding& finding : check.Run())
        if (finding.where.key == "short label") found.push_back(finding.Describe());
    EXPECT_EQ(found,
              (std::vector<std::string>{
                  "data/simulation/simulation.csv:2: record 'Crime', key 'short label': none given, "
                  "and 'Crime Rate' is 60 pixels wide in Liberation Sans Narrow 12, where a value "
                  "bar leaves 32 at 800 x 600: the map cuts it short (warning)",
                  "data/simulation/votertypes.csv:2: record 'Poor', key 'short label': 'Low "
                  "earners' is 66 pixels wide in DejaVu Sans Condensed Bold 12, where a "
                  "voter-group strip leaves 58 at 800 x 600"}))
        << Listing(found);
}

TEST(DataCheck, ShippedDataHasNoProblems) {
    TempDirectory dir;
    std::filesystem::copy(std::string(POLITY_SOURCE_DIR) + "/data", "data",
                          std::filesystem::copy_options::recursive);
    DataCheck check;
    std::string problems;
    for (const DataFinding& finding : check.Run()) {
        if (!finding.warning) problems += finding.Describe() + "\n";
    }
    EXPECT_EQ(check.ProblemCount(), 0) << problems;
}

TEST(StringKeyScan, FindsTheKeysTheCodeAsksForAndTheOnesItOnlyMentions) {
    StringKeyUsage usage;
    ScanSourceForStringKeys(
        "// GetString(\"IN_A_COMMENT\")\n"
        "x = GetString(\"APP_TITLE\");\n"
        "y = FormatString(up ? \"NEWS_UP\" : \"NEWS_DOWN\", \"NAME=a,\");\n"
        "z = GetString(FormatText(\"CALENDAR_%d\", i)) + Other(\"NOT_ASKED\");\n"
        "w = GetGradedString(0.5f, \"report_intro\");\n"
        "v = GetString(KeyFor(\"WARNING_\", word, \"_TITLE\"));\n"
        "const char* table[] = {\"TOOLTIP_X\", \"a message, not a key\"};\n",
        "src/a.cpp", usage);
    std::vector<std::string> asked;
    for (const StringKeyUse& use : usage.asked) {
        asked.push_back((use.kind == StringKeyUse::Kind::Key ? "key " : "list ") + use.text + " " +
                        use.where);
    }
    EXPECT_EQ(asked,
              (std::vector<std::string>{"key APP_TITLE src/a.cpp:2", "key NEWS_UP src/a.cpp:3",
                                        "key NEWS_DOWN src/a.cpp:3", "key CALENDAR_%d src/a.cpp:4",
                                        "list report_intro src/a.cpp:5"}));
    for (const char* mention : {"NOT_ASKED", "WARNING_", "_TITLE", "TOOLTIP_X"}) {
        EXPECT_NE(std::find(usage.mentioned.begin(), usage.mentioned.end(), mention),
                  usage.mentioned.end())
            << mention;
    }
    EXPECT_TRUE(StringKeyMatches("CALENDAR_%d", "CALENDAR_11"));
    EXPECT_FALSE(StringKeyMatches("CALENDAR_%d", "CALENDAR_"));
    EXPECT_FALSE(StringKeyMatches("CALENDAR_%d", "CALENDAR_X"));
    EXPECT_TRUE(StringKeyMatches("NEWS_%s_UP", "NEWS_GDP_UP"));
}

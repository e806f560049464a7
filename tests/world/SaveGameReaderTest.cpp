// The saved-game reader turns down numbers the game cannot have written,
// naming the line, before anything reaches the running game.
#include <gtest/gtest.h>

#include <string>

#include "core/DataReport.h"
#include "engine/DebugLog.h"
#include "support/TempDirectory.h"
#include "world/SaveGameReader.h"

namespace {

std::string Save(const std::string& game, const std::string& more = "", const std::string& chunk = "0") {
    return "[game]\n" + game + "\n[election]\nnextmonth=0\nnextyear=2028\nElectionsWon=1\ncynicism=0.0\n" + more +
           "\n[usacongress]\nsenators=\nsenators=\nchunk=" + chunk + "\n";
}

const std::string kGame = "currentturn=5\nturnstoelection=0\ncurrentmonth=3\ncurrentyear=2026\ncountry=X";

}  // namespace

TEST(SaveGameReader, NumbersTheGameCannotHaveWrittenRefuseTheFile) {
    TempDirectory dir;
    OpenLog();
    ASSERT_TRUE(SaveGameReader::Parse("s.dedu", Save(kGame)).has_value());
    ASSERT_TRUE(SaveGameReader::Parse("s.dedu", Save(kGame, "\n[mission]\nPopulationModifier=1\nWealthModifier=1\n"
                                                            "FlagName=f\nMatrix=data/missions/m.mtx\nCountryName=X\n"))
                    .has_value());

    const int before = DataErrorCount();
    const std::string refused[] = {
        Save("currentturn=5\nturnstoelection=0\ncurrentmonth=3\ncurrentyear=2147483000\ncountry=X"),
        Save("currentturn=2147483647\nturnstoelection=0\ncurrentmonth=3\ncurrentyear=2026\ncountry=X"),
        Save("currentturn=5\nturnstoelection=0\ncurrentmonth=12\ncurrentyear=2026\ncountry=X"),
        Save(kGame, "\n[polls]\ntotalapproval = nan\npotentialvote = 0.5\npeakvote = 0.5\npeakapproval = 0.5\n"),
        Save(kGame, "\n[votertype]\nname=Poor\nid=7\nvalue=0.5\nhistory = 0.50,inf,\n"),
        Save(kGame, "", "2147483647"),
        // A load may write the matrix a save names: never outside the data folder.
        Save(kGame, "\n[mission]\nPopulationModifier=1\nWealthModifier=1\nFlagName=f\nMatrix=data/../../x.mtx\n"
                    "CountryName=X\n"),
        Save(kGame, "\n[mission]\nPopulationModifier=1\nWealthModifier=1\nFlagName=f\nMatrix=/tmp/x.mtx\n"
                    "CountryName=X\n"),
        // Whole numbers are read strictly: no word as 0, no wrap-around, no negative capital.
        Save("currentturn=abc\nturnstoelection=0\ncurrentmonth=3\ncurrentyear=2026\ncountry=X"),
        Save("currentturn=4294967301\nturnstoelection=0\ncurrentmonth=3\ncurrentyear=2026\ncountry=X"),
        Save(kGame, "\n[actionpoints]\nactionptsperturn=-100\nactionptsleft=2\n"),
    };
    for (const std::string& text : refused) EXPECT_FALSE(SaveGameReader::Parse("s.dedu", text).has_value()) << text;
    EXPECT_EQ(DataErrorCount(), before + 11);
    const std::string log = ReadDebugLog();
    EXPECT_NE(log.find("s.dedu:5"), std::string::npos) << log;  // the year's line
    EXPECT_NE(log.find("2147483000 is outside 0 to 1000000"), std::string::npos);
    EXPECT_NE(log.find("not a finite number"), std::string::npos);
    EXPECT_NE(log.find("key 'Matrix': not a file in the data folder"), std::string::npos);
    EXPECT_NE(log.find("'abc' is not a whole number the game writes"), std::string::npos);
    EXPECT_NE(log.find("-100 is outside 0 to 1000"), std::string::npos);
    // Written with Windows line ends, a save still reads.
    std::string crlf;
    for (const char c : Save(kGame, "\n[actionpoints]\nactionptsperturn=2\nactionptsleft=2\n"))
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_TRUE(SaveGameReader::Parse("s.dedu", crlf).has_value());
}

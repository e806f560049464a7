// Field reader, section reader, data lines and initialisation-file access.
#include <gtest/gtest.h>

#include "core/DataFiles.h"
#include "core/FieldReader.h"
#include "core/SectionReader.h"
#include "core/TextFile.h"
#include "support/TempDirectory.h"

namespace {

std::vector<std::string> Fields(const std::string& line) {
    FieldReader reader(line);
    std::vector<std::string> fields;
    while (!reader.AtEnd()) fields.push_back(reader.NextField());
    return fields;
}

}  // namespace

TEST(FieldReader, SplitsOnCommasOutsideQuotes) {
    EXPECT_EQ(Fields("a,,b"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(Fields("\"x,y\""), std::vector<std::string>{"x,y"});
    EXPECT_EQ(Fields("#Pol, name ,\"GDP,0+(0.2*x)\",2"),
              (std::vector<std::string>{"#Pol", " name ", "GDP,0+(0.2*x)", "2"}));
    EXPECT_EQ(Fields("\"unclosed,quote"), std::vector<std::string>{"unclosed,quote"});
    FieldReader reader("1.5,abc,");
    EXPECT_FLOAT_EQ(reader.NextFloat(), 1.5f);
    EXPECT_EQ(reader.NextInt(), 0);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.NextField(), "");  // reading past the end stays harmless
    EXPECT_EQ(reader.NextField(), "");

    const std::string huge(100000, 'z');
    EXPECT_EQ(Fields(huge + "," + huge), (std::vector<std::string>{huge, huge}));
}

TEST(SectionReader, KeysLoseBlanksValuesLoseQuotesUnlessEscaped) {
    EXPECT_EQ(SectionReader::ParseEntry("KEY = \"text\"").key, "KEY");
    EXPECT_EQ(SectionReader::ParseEntry("KEY = \"text\"").value, " text");
    EXPECT_EQ(SectionReader::ParseEntry("a b=x=y").key, "ab");
    EXPECT_EQ(SectionReader::ParseEntry("a b=x=y").value, "xy");
    EXPECT_EQ(SectionReader::ParseEntry("k=say \\\"hi\\\" \\= \\\\").value, "say \"hi\" = \\");
    EXPECT_EQ(SectionReader::ParseEntry("no equals").key, "noequals");
    EXPECT_EQ(SectionReader::ParseEntry("no equals").value, "");

    TempDirectory dir;
    dir.Write("s.ini", "[Strings]\r\nHELLO=Hello <NAME>!\r\nhello=lower\r\nHELLO=second\r\n");
    SectionReader reader;
    EXPECT_EQ(reader.ReadSection("strings", "s.ini"), 3u);
    EXPECT_EQ(reader.Lookup("HELLO"), "Hello <NAME>!");  // first match, case counts
    EXPECT_EQ(reader.Lookup("hello"), "lower");
    EXPECT_EQ(reader.Lookup("Hello"), "");
    EXPECT_EQ(reader.ReadSection("strings", "missing.ini"), 0u);
    EXPECT_EQ(reader.Lookup("HELLO"), "");
}

TEST(DataFiles, ReadNumberDefaultsAndLenientConversion) {
    TempDirectory dir;
    dir.Write("data/missions/mission1.txt",
              "[config]\nwealth=1.25\nempty=\nword=abc\nyear=1990xyz\nlong=1234567890123456789012345678901234567\n");
    const char* path = "data\\Missions\\MISSION1.txt";
    EXPECT_FLOAT_EQ(ReadNumber("config", "wealth", 0, path), 1.25f);
    EXPECT_FLOAT_EQ(ReadNumber("config", "empty", 7, path), 7.0f);
    EXPECT_FLOAT_EQ(ReadNumber("config", "missing", 7, path), 7.0f);
    EXPECT_FLOAT_EQ(ReadNumber("config", "word", 7, path), 0.0f);
    EXPECT_FLOAT_EQ(ReadNumber("config", "long", 0, path), 1234567890123456789012345678901.0f);
    EXPECT_EQ(ReadWholeNumber("config", "year", 0, path), 1990);
    EXPECT_EQ(ReadText("config", "word", 3, path), "ab");

    ASSERT_TRUE(WriteNumber("options", "MUSIC", 0.5f, "data/options.dedu"));
    ASSERT_TRUE(WriteWholeNumber("options", "COUNT", 3, "data/options.dedu"));
    EXPECT_EQ(dir.Read("data/options.dedu"), "[options]\nMUSIC=0.500000\nCOUNT=3\n");

    dir.Write("data/mods/events/B.txt", "");
    dir.Write("data/mods/events/a.txt", "");
    std::vector<std::string> names;
    ListFiles(".\\data\\mods\\events\\*.txt", [&](const std::string& name) { names.push_back(name); });
    EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "B.txt"}));
}

TEST(TextFile, SplitsCrlfAndLfLinesOfAnyLength) {
    const std::string longLine(100000, 'q');
    using namespace std::string_literals;
    TextFile file = TextFile::FromText("x.csv", "#a,1\r\n\r\n"s + longLine + "\n\0bin\xFF\nlast"s);
    ASSERT_EQ(file.LineCount(), 5u);
    EXPECT_EQ(file.Line(1), "#a,1");
    EXPECT_EQ(file.Line(2), "");
    EXPECT_EQ(file.Line(3), longLine);
    EXPECT_EQ(file.Line(4), "\0bin\xFF"s);
    EXPECT_EQ(file.Line(5), "last");
    EXPECT_FALSE(TextFile::Open("missing.csv").has_value());
}

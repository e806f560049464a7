// The data check behind "polity --check-data": loads every content file the
// way game start does, with the loaders' own reports collected instead of
// shown, adds the checks no loader makes (formulas, ranges, names the game
// would silently skip, string keys, effect cycles), and lists every finding
// with its file and line. A modder runs it before shipping; the test suite
// runs it over the shipped data.
#pragma once

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "aids/StringKeyScan.h"
#include "core/DataReport.h"
#include "core/LabelRoom.h"

class Neuron;
class TextFile;

struct DataFinding {
    DataLocation where;
    std::string problem;
    // Worth knowing, but the game still does what the data means (a string
    // nobody asks for); a warning alone does not fail the check.
    bool warning = false;

    std::string Describe() const;
};

class DataCheck {
public:
    // The main screen's grid of voter-group bars has places for this many
    // groups; a further group is drawn in a corner, and beyond four more the
    // game stops.
    static constexpr int kVoterGridPlaces = 21;

    // The pixel width of a text in a face and size. The program measures
    // with the installed fonts; without a measure the labels' room on the
    // main screen goes unchecked.
    using TextMeasure =
        std::function<int(std::string_view face, int size, std::string_view text)>;

    explicit DataCheck(StringKeyUsage keys = StringKeysInCode(), TextMeasure measure = {});

    // Checks the "data" folder of the working folder and returns the
    // findings sorted by file and line. Leaves the network empty.
    const std::vector<DataFinding>& Run();
    int ProblemCount() const;
    int WarningCount() const;

private:
    using Fields = std::vector<std::string>;

    void Add(DataLocation where, std::string problem, bool warning = false);
    void Define(const std::string& name, const DataLocation& where);
    void LoadContent();
    void ClearContent();

    void CheckSetup();
    void CheckVoterTypes();
    void CheckValues();
    void CheckPolicies();
    void CheckSituations();
    void CheckEvents();
    void CheckDilemmas();
    void CheckSliders();
    void CheckManifesto();
    void CheckHints();
    void CheckMissions();
    void CheckMission(const std::string& path);
    void CheckMatrix(const std::string& path);
    void CheckStrings();
    void CheckStyleSheet();
    void CheckSkins();
    void CheckCycles();
    void CheckShortLabels();
    void CheckShortLabel(const Neuron& subject, std::string_view own, const std::string& shown,
                         const LabelRoom& room, const char* where);

    // "source,formula" (or "_random_,low,high" where `randomAllowed`).
    void CheckInfluence(const std::string& field, DataLocation at, bool randomAllowed);
    void CheckNumber(const Fields& fields, size_t index, const DataLocation& at, const char* key,
                     double low, double high, bool whole = false);
    DataLocation DefinitionOf(const Neuron& neuron) const;

    StringKeyUsage keys_;
    TextMeasure measure_;
    std::vector<DataFinding> findings_;
    std::map<std::string, DataLocation> definitions_;  // record name -> where it is defined
    std::vector<std::string> missionNames_;            // the countries' names, for dilemma filters
};

// "mission1", "mission2", ... up to the first number without a file.
std::vector<std::string> MissionsInData();

// `polity --check-data`: one line per finding and a summary on `out`; 0 when
// no problem was found, 1 otherwise.
int RunDataCheckCommand(std::FILE* out, DataCheck::TextMeasure measure = {});

// The headless game driver.
#include "world/HeadlessGame.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/DataReport.h"
#include "core/FieldReader.h"
#include "core/TextUtilities.h"
#include "engine/Diagnostics.h"
#include "platform/TextEncoding.h"
#include "politics/ElectionManager.h"
#include "politics/Policy.h"
#include "politics/Polls.h"
#include "politics/Situation.h"
#include "politics/SituationManager.h"
#include "simulation/Network.h"
#include "world/Calendar.h"
#include "world/Dilemma.h"
#include "world/DilemmaManager.h"
#include "world/Event.h"
#include "world/EventManager.h"
#include "world/Finances.h"
#include "world/SaveGameManager.h"
#include "simulation/PlayerInputRecorder.h"
#include "world/Manifesto.h"
#include "world/OppositionManager.h"

namespace {

// Game names are Windows-1252; JSON is UTF-8.
std::string JsonEscape(const std::string& text) {
    std::string out;
    for (char c : platform::Cp1252ToUtf8(text)) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            out += FormatText("\\u%04x", c);
            continue;
        }
        out += c;
    }
    return out;
}

// A number as JSON has it: what is not finite has no JSON number, so null.
std::string JsonNumber(float value, const char* format) {
    return std::isfinite(value) ? FormatText(format, static_cast<double>(value)) : "null";
}

}  // namespace

HeadlessGame::HeadlessGame(Options options, std::FILE* out) : options_(std::move(options)), out_(out) {}

bool HeadlessGame::CheckActions(const std::vector<std::string>& lines, const std::string& source,
                                std::string* problem) {
    FieldReader fields;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string line = TrimTrailing(lines[i]);
        if (line.empty()) continue;
        auto fail = [&](const std::string& what) {
            *problem = source + ":" + std::to_string(i + 1) + ": " + what;
            return false;
        };
        const bool text = std::none_of(line.begin(), line.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20 && c != '\t';
        });
        if (!text) return fail("not a line of text; not an actions file");
        fields.SetText(line);
        const std::string verb = fields.NextField();
        if (verb == "NEXTTURN") continue;
        if (verb != "NEWPOLICY" && verb != "CANCELPOLICY" && verb != "ADJSLIDER") {
            return fail("'" + line.substr(0, 40) +
                        "' is not an action (NEWPOLICY, CANCELPOLICY, ADJSLIDER or NEXTTURN)");
        }
        if (fields.NextField().empty()) return fail(verb + " names no policy");
        if (verb != "ADJSLIDER") continue;
        const std::string value = fields.NextField();
        float number = 0.0f;
        const char* end = value.data() + value.size();
        const auto [stop, error] = std::from_chars(value.data(), end, number);
        if (value.empty() || error != std::errc() || stop != end || !(number >= 0.0f && number <= 1.0f)) {
            return fail("ADJSLIDER needs a slider value from 0 to 1, not '" + value + "'");
        }
    }
    return true;
}

void HeadlessGame::OpenManifestoChoice() {
    // The built-in player promises nothing: an empty manifesto is always
    // kept, and a scripted player's pledges belong in its actions.
}

void HeadlessGame::AnswerDilemma() {
    // The built-in player takes the first option of every dilemma.
    if (Dilemma* dilemma = DilemmaManager::Instance().PendingDilemma()) {
        happenings_.push_back("dilemma " + dilemma->Name() + " answered 1");
        dilemma->Choose(0);
    }
}

void HeadlessGame::ApplyActionsForTurn() {
    FieldReader fields;
    while (nextAction_ < options_.actions.size()) {
        const std::string line = TrimTrailing(options_.actions[nextAction_]);
        const int lineNumber = static_cast<int>(++nextAction_);
        if (line.empty()) continue;
        fields.SetText(line);
        const std::string verb = fields.NextField();
        if (verb == "NEXTTURN") return;
        const std::string name = fields.NextField();
        Policy* policy = Policy::FindPolicy(name);
        if (!policy) {
            ReportDataProblem(DataSeverity::Warning, {options_.actionsSource, lineNumber, name, verb},
                              "no policy of that name; action skipped", "HeadlessGame", __LINE__);
            continue;
        }
        // Recorded as the windows record the player's own decisions (a
        // cancellation records itself).
        PlayerInputRecorder& recorder = PlayerInputRecorder::Instance();
        if (verb == "NEWPOLICY") {
            policy->Introduce();
            recorder.RecordNewPolicy(name);
        } else if (verb == "CANCELPOLICY") {
            policy->Cancel();
        } else if (verb == "ADJSLIDER") {
            const float value = std::clamp(fields.NextFloat(), 0.0f, 1.0f);
            policy->SetSlider(value);
            recorder.RecordSlider(name, value);
        } else {
            ReportDataProblem(DataSeverity::Warning, {options_.actionsSource, lineNumber, name, verb},
                              "unknown action; skipped", "HeadlessGame", __LINE__);
        }
    }
}

int HeadlessGame::Play() {
    Gameplaymanager& game = Gameplaymanager::Instance();
    game.SetListener(this);
    ElectionManager& elections = ElectionManager::Instance();
    elections.SetResultListener([this](float share) {
        election_ = FormatText("%s %.1f%%", share >= 0.5f ? "won" : "lost", static_cast<double>(share * 100.0f));
    });
    if (options_.loadPath.empty()) {
        game.StartGame(options_.mission);
    } else if (!SaveGameManager::Instance().LoadFile(options_.loadPath)) {
        game.SetListener(nullptr);
        elections.SetResultListener(nullptr);
        return 1;
    }
    if (options_.replay) SkipGameStartTurn();
    // The actions describe the game from its start: a loaded game has played
    // the turns before its own already.
    for (int turn = 1; turn < game.TurnNumber(); ++turn) SkipActionsOfTurn();
    const int turns = options_.turns >= 0 ? options_.turns : ElectionManager::Interval() / 3 + 1;
    EventManager::Instance().SetFireListener([this](Event& event) { happenings_.push_back("event " + event.Name()); });
    OppositionManager::Instance().SetMessageListener([this](const OppositionMessage& message) {
        happenings_.push_back(message.group + (message.kind == OppositionMessage::Kind::Warning        ? " warns"
                                               : message.kind == OppositionMessage::Kind::FoiledAttack ? " attack foiled"
                                                                                                       : " attack succeeds"));
    });
    AnswerDilemma();
    PrintTurn();
    while (endReason_.empty() && game.TurnNumber() < turns) {
        ApplyActionsForTurn();
        election_.clear();
        game.NewTurn();
        AnswerDilemma();
        PrintTurn();
        if (OppositionManager::Instance().IsGovernmentOverthrown()) endReason_ = "overthrown by an angry group";
        if (!election_.empty()) {
            if (elections.VoteShare() < 0.5f) {
                endReason_ = "lost the election";
            } else {
                // What closing the results window does: a new term begins.
                elections.ScheduleNextElection();
                Manifesto::Instance().StartTerm();
            }
        }
    }
    if (endReason_.empty()) endReason_ = "played " + std::to_string(game.TurnNumber()) + " turns";
    PrintEnd();
    // A run that reported a problem keeps nothing but its log: its save
    // would carry the problem on without a word.
    const bool sound = FailedAssertionCount() == 0 && DataErrorCount() == 0;
    bool saved = options_.savePath.empty();
    if (!saved && sound) saved = SaveGameManager::Instance().Save(options_.savePath);
    else if (!saved)
        SaveGameManager::Instance().Decline(options_.savePath,
                                            "the run reported a problem, so nothing was written");
    game.SetListener(nullptr);
    elections.SetResultListener(nullptr);
    EventManager::Instance().SetFireListener(nullptr);
    OppositionManager::Instance().SetMessageListener(nullptr);
    return saved && sound ? 0 : 1;
}

void HeadlessGame::SkipActionsOfTurn() {
    while (nextAction_ < options_.actions.size()) {
        if (options_.actions[nextAction_++].rfind("NEXTTURN", 0) == 0) return;
    }
}

void HeadlessGame::SkipGameStartTurn() {
    while (nextAction_ < options_.actions.size() && TrimTrailing(options_.actions[nextAction_]).empty()) ++nextAction_;
    if (nextAction_ < options_.actions.size() && options_.actions[nextAction_].rfind("NEXTTURN", 0) == 0) ++nextAction_;
}

void HeadlessGame::PrintTurn() {
    const Gameplaymanager& game = Gameplaymanager::Instance();
    const Calendar& calendar = Calendar::Instance();
    const Polls& polls = Polls::Instance();
    const Neuron* gdp = Network::FindByName("GDP");
    const float gdpValue = gdp ? gdp->GetValue() : 0.0f;
    std::vector<std::string> situations;
    for (const Situation* situation : SituationManager::Instance().Situations()) {
        if (situation->IsActive()) situations.push_back(situation->Name());
    }
    const float debt = Finances::Instance().Debt();
    std::string happenings;
    for (const std::string& h : happenings_) happenings += (happenings.empty() ? "" : "; ") + h;
    happenings_.clear();
    if (options_.json) {
        std::string list;
        for (const std::string& s : situations) list += (list.empty() ? "\"" : ",\"") + JsonEscape(s) + "\"";
        std::fprintf(out_,
                     "{\"turn\":%d,\"year\":%d,\"month\":%d,\"approval\":%s,\"vote\":%s,\"gdp\":%s,"
                     "\"debt\":%s,\"situations\":[%s],\"election\":\"%s\",\"happenings\":\"%s\"}\n",
                     game.TurnNumber(), calendar.GetYear(), calendar.GetMonth() + 1,
                     JsonNumber(polls.Approval(), "%.4f").c_str(),
                     JsonNumber(polls.PotentialVote(), "%.4f").c_str(),
                     JsonNumber(gdpValue, "%.4f").c_str(), JsonNumber(debt, "%.2f").c_str(), list.c_str(),
                     JsonEscape(election_).c_str(), JsonEscape(happenings).c_str());
        return;
    }
    std::string list;
    for (const std::string& s : situations) list += (list.empty() ? "" : ", ") + s;
    std::fprintf(out_, "turn %3d  %04d-%02d  approval %5.1f%%  vote %5.1f%%  GDP %.3f  debt %10.2f  situations: %s%s%s\n",
                 game.TurnNumber(), calendar.GetYear(), calendar.GetMonth() + 1,
                 static_cast<double>(polls.Approval() * 100.0f), static_cast<double>(polls.PotentialVote() * 100.0f),
                 static_cast<double>(gdpValue), static_cast<double>(debt),
                 list.empty() ? "none" : platform::Cp1252ToUtf8(list).c_str(),
                 election_.empty() ? "" : ("  election: " + election_).c_str(),
                 happenings.empty() ? "" : ("  " + platform::Cp1252ToUtf8(happenings)).c_str());
}

void HeadlessGame::PrintEnd() {
    if (options_.json) {
        std::fprintf(out_, "{\"end\":\"%s\",\"turns\":%d}\n", JsonEscape(endReason_).c_str(),
                     Gameplaymanager::Instance().TurnNumber());
    } else {
        std::fprintf(out_, "game over: %s\n", endReason_.c_str());
    }
}

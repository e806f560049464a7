// Assertion reports, warnings, fatal errors and the bug-report mail.
#include "engine/Diagnostics.h"

#include <cstdio>
#include <cstdlib>

#include "engine/DebugLog.h"
#include "platform/Shell.h"
#include "platform/TextEncoding.h"

namespace {

constexpr const char* kBuild = "version";
constexpr const char* kSupportAddress = "bugs@polity-game.example";
constexpr const char* kDialogTitle = "Problem encountered";
constexpr const char* kDialogText =
    "An error has occured in this game. It may be possible to ignore the problem and continue playing. "
    "Before doing so, we ask that you click the email button below which tells us about the problem";

std::string g_flagName;
std::string g_lastReport;
int g_failedAssertions = 0;
bool g_reportsToStandardError = false;
FatalErrorHook g_fatalErrorHook = nullptr;

}  // namespace

std::string ForReader(std::string_view text) {
    constexpr size_t kLongest = 300;
    if (text.size() <= kLongest) return std::string(text);
    return std::string(text.substr(0, kLongest)) + "... (the whole text is in debugdata/debug.txt)";
}

void Assert(bool condition, std::string_view source, int line) {
    if (condition) return;
    std::string report = "Assertion failure:filename:" + std::string(source) + ",linenum:" + std::to_string(line) +
                         ",build:" + kBuild;
    report += ",flag:" + g_flagName;
    report += ",Not Windows XP";
    ++g_failedAssertions;
    g_lastReport = report;

    // "Email developer" sends the report and leaves the dialog up, as the
    // player may still want to continue afterwards.
    const std::vector<std::string> buttons = {"Attempt to continue", "Email developer"};
    while (platform::ShowButtonBox(kDialogTitle, kDialogText, buttons) == 1) SendBugReport(report);

    // The reader gets a sentence; the developer's report goes to the log.
    if (g_reportsToStandardError)
        std::fprintf(stderr,
                     "polity: an internal check failed (%s, line %d); the report is in "
                     "debugdata/debug.txt\n",
                     std::string(source).c_str(), line);
    Log(report);
}

void ReportFailure(std::string_view message, std::string_view source, int line) {
    Log(message);
    Assert(false, source, line);
}

void DebuggerOutput(std::string_view text) {
    static const bool enabled = std::getenv("POLITY_DEBUG_OUTPUT") != nullptr;
    if (enabled) std::fprintf(stderr, "%.*s", static_cast<int>(text.size()), text.data());
}

void Trace(std::string_view a, std::string_view b, int number) {
    const std::string line = std::string(a) + ":" + std::string(b) + " " + std::to_string(number);
    DebuggerOutput(line + "\n");
    Log(line);
}

void FatalError(std::string_view message, std::string_view source, int line) {
    const std::string text = std::string(message) + ":" + std::string(source) + " " + std::to_string(line);
    if (g_fatalErrorHook) {
        Log(text);
        g_fatalErrorHook(text);
    }
    if (!platform::ShowMessageBox("ERROR", text))
        std::fprintf(stderr, "polity: %s\n", ForReader(text).c_str());
    Log(text);
    CloseLog();
    std::fflush(nullptr);
    std::_Exit(1);
}

std::string BugReportAddress(std::string_view report) {
    // Percent-encoded, so the mail program receives exactly the report even
    // when it holds "&", "?" or "#".
    return std::string("mailto:") + kSupportAddress + "?subject=" + platform::PercentEncode("bugreport") +
           "&body=" + platform::PercentEncode(platform::Cp1252ToUtf8(report));
}

bool SendBugReport(std::string_view report) { return OpenDocument(BugReportAddress(report)); }

void SetFatalErrorHook(FatalErrorHook hook) { g_fatalErrorHook = hook; }

void SetCountryFlagName(std::string_view flag) { g_flagName = flag; }

bool OpenDocument(std::string_view target) { return platform::OpenDocument(target); }

void SetReportsToStandardError(bool enabled) { g_reportsToStandardError = enabled; }
bool ReportsToStandardError() { return g_reportsToStandardError; }

int FailedAssertionCount() { return g_failedAssertions; }
const std::string& LastAssertionReport() { return g_lastReport; }
void ResetDiagnosticsCounters() {
    g_failedAssertions = 0;
    g_lastReport.clear();
}

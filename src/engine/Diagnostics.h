// Reporting problems: `Assert` reports and lets the caller go on, `Trace`
// writes a warning line, `FatalError` ends the program after telling the
// player why. Nothing here throws.
#pragma once

#include <string>
#include <string_view>

// Checks a condition; on failure builds the report (source module, line,
// build, country flag, platform), offers the player the bug-report dialog when
// there is a display, writes the report to the log and returns.
void Assert(bool condition, std::string_view source, int line);

// Logs the message, then raises the assertion report for the source and line:
// the usual way to report a data problem whose message the player should see
// in the log next to the report.
void ReportFailure(std::string_view message, std::string_view source, int line);

// Our stand-in for the debugger's output window: standard error, and only
// when the environment variable POLITY_DEBUG_OUTPUT is set.
void DebuggerOutput(std::string_view text);

// Writes "a:b number" to the log.
void Trace(std::string_view a, std::string_view b, int number);

// Shows "message:source line" in a box titled "ERROR", writes it to the log,
// closes the log so the reason is kept, and ends the program with exit code 1.
[[noreturn]] void FatalError(std::string_view message, std::string_view source, int line);
// A text cut to a length a person reads on a terminal, pointing at the log
// for the rest (a name out of a damaged file may be megabytes long).
std::string ForReader(std::string_view text);

// For harnesses that feed many inputs to one process (the fuzzers): after
// the fatal error is logged the hook runs in place of ending the program. It
// must not return; it throws, so the harness gives up only that input.
using FatalErrorHook = void (*)(const std::string& text);
void SetFatalErrorHook(FatalErrorHook hook);

// Opens the player's mail program with a prepared bug report.
bool SendBugReport(std::string_view report);

// The mail address SendBugReport opens, with subject and body percent-encoded.
std::string BugReportAddress(std::string_view report);

// The flag name of the country being played, quoted in every report.
void SetCountryFlagName(std::string_view flag);

// Hands a shell request on (web page, document, mail).
bool OpenDocument(std::string_view target);

// Headless runs also print assertion reports and data problems on standard
// error, one line each, so a person or script sees them without the log.
void SetReportsToStandardError(bool enabled);
bool ReportsToStandardError();

// What the session has reported so far; lets headless runs and tests see
// whether anything went wrong.
int FailedAssertionCount();
const std::string& LastAssertionReport();
void ResetDiagnosticsCounters();

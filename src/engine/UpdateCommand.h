// "polity --update [--server URL]": the updater run from the command line,
// with a progress bar per file, the list of files fetched at the end and each
// error as one line on standard error.
#pragma once

#include <string_view>

// Fetches from `server`, or from the "updateserver" setup value when empty.
// Returns the program's exit code: 0 updated, 1 failed or no server.
int RunUpdateCommand(std::string_view server);

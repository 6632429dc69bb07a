#pragma once
// What a status code means, for the messages that report a failure: the
// cause Windows gave, in words, so a message never blames the wrong thing.
#include <string>
#include <utility>
#include <vector>

namespace tw {

// "Windows error 5: access is denied". The codes the file and registry calls
// give have words here; any other has the words Windows itself has for it,
// once the program's Win32 side has handed in its describer.
std::string ErrorText(long status);

// Windows' own words for a status, empty when it has none; set once at
// start-up (FormatMessage), before any message is made.
using SystemErrorDescriber = std::string (*)(long status);
void SetSystemErrorDescriber(SystemErrorDescriber describe);

// How often each status came back from a run of calls, ordered by status.
using StatusCounts = std::vector<std::pair<long, int>>;
void CountStatus(StatusCounts& counts, long status);
bool HasStatus(const StatusCounts& counts, long status);

}  // namespace tw

#pragma once
// What a status code means, for the messages that report a failure: the
// cause Windows gave, in words, so a message never blames the wrong thing.
#include <string>

namespace tw {

// "Windows error 5: access is denied"; "Windows error 1234" for a code
// without words here.
std::string ErrorText(long status);

}  // namespace tw

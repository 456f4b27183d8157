// Splits RTF property text into its control words, so that expectations read as a list of
// words and a word that runs into the next one (a missing delimiter) shows up as a failure.
#pragma once

#include <string>
#include <string_view>

namespace richtext::test {

// "\b\ul\fs20\cf1" -> "b ul fs20 cf1". Anything that is not a sequence of control words
// (letters, then an optional signed number) is reported inside angle brackets.
std::string RTFWords(std::string_view rtf);

} // namespace richtext::test

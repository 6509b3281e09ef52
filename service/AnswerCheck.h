// Comparing a visitor's answer with the code.
#pragma once

#include <string_view>

namespace glyphward_service {

// True when `answer`, without surrounding blanks and with ASCII letters
// upper-cased, equals `code` (upper-cased likewise). The time taken does not
// depend on where the two differ.
bool AnswerMatches(std::string_view answer, std::string_view code);

}  // namespace glyphward_service

#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "print/cardmarks.h"

// The names of the marks: the word a file and the command line use
// ("fire-control", "af1", "box7", "sunk") and the words a log shows
// ("fire control", "attack factor 1", "small box 7", "sunk").
std::string MarkToken(CardMark mark);
std::optional<CardMark> MarkFromToken(std::string_view token);
std::string MarkLabel(CardMark mark);

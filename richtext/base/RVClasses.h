// Basic types shared by every unit of the engine.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace richtext {

// Engine errors carry the program's own message texts.
class ERichViewError : public std::runtime_error {
public:
  explicit ERichViewError(const std::string& message) : std::runtime_error(message) {}
};

// A list's index error, "List index out of bounds (%d)".
class EListError : public ERichViewError {
public:
  explicit EListError(int index)
      : ERichViewError("List index out of bounds (" + std::to_string(index) + ")") {}
};

// 0x00BBGGRR for an RGB colour, 0xFF0000NN for system colour NN, clNone for "no colour".
using TColor = std::int32_t;

} // namespace richtext

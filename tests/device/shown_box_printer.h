#pragma once

// Lets a failed expectation on the boxes shown name each box instead of dumping its bytes.
// Every test file of this binary that compares boxes includes it.

#include <ostream>

#include "tests/support/scripted_prompts.h"

namespace testsupport {

inline void PrintTo(const ShownBox& box, std::ostream* out) {
    *out << (box.applicationBox ? "application box" : "dialog box") << " \"" << box.text << "\" ("
         << box.caption << ", " << static_cast<int>(box.type) << ")";
}

}  // namespace testsupport

#pragma once
// Joining deflate streams made separately into one stream.

#include <string>

namespace krel {

// Turns a complete raw deflate stream into one that does not end the data: the final-block
// flag of its last block is cleared and an empty stored block brings it to a byte boundary,
// so another stream can follow it directly. Throws std::runtime_error for a damaged stream.
void MakeStreamContinue(std::string& stream);

} // namespace krel

#pragma once
// The tool prints UTF-8 only. Its own texts are UTF-8, but a message may quote program text from
// the store (a tag, a title, a path), which is Windows-1252.

#include <string>
#include <string_view>

namespace krel::cli {

// The message with every byte that does not belong to a well-formed UTF-8 character taken as
// Windows-1252 and converted; well-formed UTF-8 passes unchanged.
std::string Utf8Message(std::string_view message);

} // namespace krel::cli

#pragma once
// The editor window's routines raise their failures as EEncEditorError, chained under the
// routine's name.

#include "encyclopedia/Errors.h"

#include <string_view>
#include <utility>

namespace krel {

template <class Body> decltype(auto) editorGuard(std::string_view routine, Body&& body) {
    return guarded<EEncEditorError>(routine, std::forward<Body>(body));
}

} // namespace krel

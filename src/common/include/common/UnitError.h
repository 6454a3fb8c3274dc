#pragma once
// Every guarded routine reports a failure by raising its unit's error class with the routine's
// name, a carriage return and the caught message, so nested guards chain their names line by
// line ("FormCreate()", CR, "PreferencesLoad()", CR, "Invalid data type for 'Cleanup'").

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace krel {

// Base of every unit's error class; carries nothing but the message.
class UnitError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Declares a unit's error class, e.g. KREL_UNIT_ERROR(EEncEditorError).
#define KREL_UNIT_ERROR(Name)                                                                      \
    class Name : public ::krel::UnitError {                                                        \
    public:                                                                                        \
        using ::krel::UnitError::UnitError;                                                        \
    }

// The text a guard raises: the routine's name as the unit writes it ("BuildList()",
// "FindTextKeyDown" or even ""), a carriage return, then the caught message.
inline std::string chainMessage(std::string_view routine, std::string_view caught) {
    std::string text;
    text.reserve(routine.size() + 1 + caught.size());
    text.append(routine);
    text.push_back('\r');
    text.append(caught);
    return text;
}

// Runs body; any exception leaving it is re-raised as Error with the chained message.
template <class Error, class Body> decltype(auto) guarded(std::string_view routine, Body&& body) {
    try {
        return std::forward<Body>(body)();
    } catch (const std::exception& e) {
        throw Error(chainMessage(routine, e.what()));
    } catch (...) {
        throw Error(chainMessage(routine, "Unknown failure"));
    }
}

} // namespace krel

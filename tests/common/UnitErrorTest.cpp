#include "common/UnitError.h"

#include <gtest/gtest.h>

namespace {
KREL_UNIT_ERROR(EOuterError);
KREL_UNIT_ERROR(EInnerError);

void innerRoutine() {
    krel::guarded<EInnerError>("PreferencesLoad()",
                               [] { throw std::runtime_error("Invalid data type for 'Cleanup'"); });
}
} // namespace

TEST(UnitError, NestedGuardsChainTheirNamesOuterFirst) {
    try {
        krel::guarded<EOuterError>("FormCreate()", [] { innerRoutine(); });
        FAIL() << "no error raised";
    } catch (const EOuterError& e) {
        EXPECT_STREQ(e.what(), "FormCreate()\rPreferencesLoad()\rInvalid data type for 'Cleanup'");
    }
}

TEST(UnitError, GuardPassesResultsThroughAndWrapsUnknownFailures) {
    EXPECT_EQ(krel::guarded<EOuterError>("Sum()", [] { return 42; }), 42);
    EXPECT_THROW(krel::guarded<EOuterError>("", [] { throw 7; }), EOuterError);
    try {
        krel::guarded<EOuterError>("", [] { throw std::logic_error("x"); });
    } catch (const krel::UnitError& e) {
        EXPECT_STREQ(e.what(), "\rx");
    }
}

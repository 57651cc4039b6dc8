// PooledString's conversion to Qt text.

#include "runtime/pooledstring.h"

#include <gtest/gtest.h>

#include <QString>

namespace {

TEST(StringsPooledString, ConvertsToAQtString) {
    EXPECT_EQ(PooledString::fromLatin1("caf\xe9").toQString(), QString::fromUtf8("caf\xc3\xa9"));
    EXPECT_TRUE(PooledString().toQString().isEmpty());
}

} // namespace

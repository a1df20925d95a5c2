#include "platform/regional/GreekCodePage.h"

#include <gtest/gtest.h>

using namespace regional;

TEST(GreekCodePage, EveryDefinedByteRoundTrips)
{
    for (int b = 0; b < 256; ++b) {
        const QByteArray one(1, char(b));
        const QString text = fromGreekCodePage(one);
        if (text == QString(QChar(0xFFFD)))
            continue; // no character there
        EXPECT_EQ(toGreekCodePage(text), one) << b;
    }
    // The places where the Greek page differs from a naive offset of the Greek block.
    EXPECT_EQ(fromGreekCodePage("\xA2\xB5\xB6\xBB\xDC"), QStringLiteral("Ά\u00B5\u00B6\u00BBά"));
    EXPECT_EQ(toGreekCodePage(QStringLiteral("Ωω€ж")), QByteArray("\xD9\xF9\x80?"));
}

TEST(GreekCodePage, Utf8IsPreferredWhenTheBytesAreValidUtf8)
{
    const QString greek = QStringLiteral("Κεντρικό ταμείο");
    EXPECT_EQ(decodeUtf8OrGreek(greek.toUtf8()), greek);
    EXPECT_EQ(decodeUtf8OrGreek(toGreekCodePage(greek)), greek);
    EXPECT_EQ(decodeUtf8OrGreek("plain /srv/data"), QStringLiteral("plain /srv/data"));
}

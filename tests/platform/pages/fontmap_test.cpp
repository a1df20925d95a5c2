#include "platform/pages/fontmap.h"

#include <QFontInfo>

#include <gtest/gtest.h>

using namespace pages;

namespace {

TEST(Fonts, ReportFontNamesResolveToInstalledMetricCompatibleFamilies)
{
    const std::pair<const char *, const char *> cases[] = {
        {"Arial greek", "Liberation Sans"},       {"arial greek", "Liberation Sans"},
        {"Arial", "Liberation Sans"},             {"courier new greek", "Liberation Mono"},
        {"Courier New", "Liberation Mono"},       {"Times New Roman Greek", "Liberation Serif"},
        {"No Such Font Anywhere", "Liberation Sans"}};
    for (const auto &[requested, family] : cases) {
        EXPECT_EQ(resolveFamily(QString::fromLatin1(requested)), QString::fromLatin1(family)) << requested;
        // And the family is really there: the font the painter gets is it.
        const QFontInfo info(layoutFont(FontSpec{QString::fromLatin1(requested), 10.0}));
        EXPECT_EQ(info.family(), QString::fromLatin1(family)) << requested;
    }
}

TEST(Fonts, GreekGlyphsExistInTheResolvedFonts)
{
    for (const char *name : {"Arial greek", "courier new greek"}) {
        const QFontMetricsF metrics(layoutFont(FontSpec{QString::fromLatin1(name), 10.0}));
        for (QChar c : QStringLiteral("ΑΒΓΔΕΖΗΘαβγδεζηθάέήίόύώΣσς"))
            EXPECT_TRUE(metrics.inFontUcs4(c.unicode())) << name << " " << int(c.unicode());
    }
}

TEST(Fonts, SummedWidthsEqualShapedWidths)
{
    // Layout sums remembered character widths; the painter shapes the whole
    // text. They must agree or right-aligned amounts would drift.
    FontCache cache;
    const QStringList samples = {QStringLiteral("1.234.567,50"), QStringLiteral("Είσπραξη ενοικίου Αθηνών"),
                                 QStringLiteral("office fluffy affinity"), QStringLiteral("Λ τάξεως  Υπόλοιπο"),
                                 QStringLiteral("AVAWAY To.")};
    for (const char *name : {"Arial greek", "courier new greek"}) {
        for (bool bold : {false, true}) {
            const FontCache::Entry &entry = cache.get(FontSpec{QString::fromLatin1(name), 10.0, bold});
            for (const QString &text : samples)
                EXPECT_NEAR(entry.advance(text), entry.metrics.horizontalAdvance(text), 0.5)
                    << name << " " << qPrintable(text);
        }
    }
}

}  // namespace

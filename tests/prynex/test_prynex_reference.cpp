// The developer reference and the value lists it is written from, held
// against the control and the engine they describe.
#include "prynex/property_table.h"
#include "prynex/property_values.h"
#include "prynex/reference.h"
#include "prynex_test_support.h"

#include <QFile>
#include <QMetaProperty>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

#include <algorithm>

using namespace Qt::StringLiterals;
using prynex::ValueKind;

namespace {

// The shown properties a host can reach by name only: no typed property.
QSet<QString> shownByNameOnly()
{
    QSet<QString> names;
    for (const prynex::PropertyInfo &info : prynex::propertyTable())
        if (info.isControlProperty && !info.hidden
            && Prynex::staticMetaObject.indexOfProperty(info.name) < Prynex::staticMetaObject.propertyOffset())
            names.insert(info.qName());
    return names;
}

}  // namespace

TEST(PrynexReference, TheEngineTakesExactlyTheListedValues)
{
    for (const prynex::PropertyInfo &info : prynex::propertyTable())
        if (info.type == prynex::Type::Enumeration) {
            EXPECT_NE(prynex::valuesOf(info.qName()), nullptr) << info.name << " has no value list";
        }
    for (const prynex::PropertyValues &list : prynex::propertyValues()) {
        SCOPED_TRACE(list.property);
        const QString name = QString::fromLatin1(list.property);
        ASSERT_NE(prynex::findProperty(name), nullptr);
        if (list.kind == ValueKind::Open)
            continue;
        Prynex control;
        std::vector<int> taken;
        if (list.kind == ValueKind::Flags) {
            int all = 0;
            for (const auto &flag : list.values)
                all |= flag.value;
            for (int sum = 0; sum <= all; ++sum)
                taken.push_back(sum);
        } else {
            for (const auto &value : list.values)
                taken.push_back(value.value);
        }
        for (int value : taken) {
            EXPECT_TRUE(control.setPropertyByName(name, value)) << value;
            EXPECT_EQ(control.propertyByName(name).toInt(), value);
        }
        const auto [lowest, highest] = std::minmax_element(taken.begin(), taken.end());
        for (int outside : {*lowest - 1, *highest + 1}) {
            EXPECT_FALSE(control.setPropertyByName(name, outside)) << outside;
            EXPECT_EQ(control.propertyByName(name).toInt(), taken.back()) << "unchanged";
        }
    }
}

TEST(PrynexReference, DescribesEveryPropertyAndWhereItIsReached)
{
    const QString text = prynex::referenceText();
    int rows = 0;
    for (const prynex::PropertyInfo &info : prynex::propertyTable()) {
        if (!info.isControlProperty)
            continue;
        ++rows;
        const QRegularExpression row(u"^\\| `%1` \\| ([^|]+) \\| ([^|]+) \\| ([^|]+) \\|"_s.arg(info.qName()),
                                     QRegularExpression::MultilineOption);
        const auto match = row.match(text);
        ASSERT_TRUE(match.hasMatch()) << info.name;
        EXPECT_EQ(match.captured(1).contains(u"values below"_s), prynex::valuesOf(info.qName()) != nullptr)
            << info.name;
        const bool byNameOnly = match.captured(3).startsWith(u"by name only"_s);
        const bool typed = Prynex::staticMetaObject.indexOfProperty(info.name) >= Prynex::staticMetaObject.propertyOffset();
        if (info.access != prynex::Access::Indexed) {
            EXPECT_EQ(byNameOnly, !typed) << info.name;
        }
    }
    EXPECT_EQ(rows, 116);
    EXPECT_TRUE(text.contains(u"### Orientation\n\n- 0: portrait\n- 1: landscape\n\nOther values are refused."_s));
    EXPECT_TRUE(text.contains(u"- 9: A4, 210 × 297 mm\n"_s));
    EXPECT_TRUE(text.contains(u"12. `NewTableCell(qint16 &Row, qint16 &Column, QString &Cell)`"_s));
}

TEST(PrynexReference, TheDocumentNamesTheShownMembersReachableByNameOnly)
{
    QFile file(QStringLiteral(PRYNEX_DOCUMENT));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString document = QString::fromUtf8(file.readAll()).replace(u'\n', u' ');
    const auto sentence = QRegularExpression(u"reachable by name only: ([^.]+)\\."_s).match(document);
    ASSERT_TRUE(sentence.hasMatch());
    QSet<QString> named;
    for (const auto &name : QRegularExpression(u"`(\\w+)`"_s).globalMatch(sentence.captured(1)))
        named.insert(name.captured(1));
    EXPECT_EQ(named, shownByNameOnly());
    EXPECT_EQ(named.size(), 4);
}

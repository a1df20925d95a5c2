#pragma once

#include <QFont>
#include <QList>
#include <QString>
#include <QTextLayout>
#include <QTextOption>

// Where a painter puts each character of a line laid out left to right, as a
// list or a report draws it: bidirectional reordering included, so a test can
// read an amount as the eye does.
class LineAsSeen
{
public:
    LineAsSeen(const QString &text, const QFont &font) : m_text(text), m_layout(text, font)
    {
        QTextOption option;
        option.setTextDirection(Qt::LeftToRight);
        option.setWrapMode(QTextOption::NoWrap);
        m_layout.setTextOption(option);
        m_layout.beginLayout();
        m_line = m_layout.createLine();
        m_line.setLineWidth(100000);
        m_layout.endLayout();
    }

    // The x of the edge where the character at `index` starts in reading order.
    double xOf(qsizetype index) const { return m_line.cursorToX(int(index)); }

    // True when the `length` characters from `index` are drawn left to right.
    bool readsLeftToRight(qsizetype index, qsizetype length) const
    {
        for (qsizetype i = index + 1; i < index + length; ++i)
            if (!(xOf(i) > xOf(i - 1)))
                return false;
        return true;
    }

    // True when every character of [from, to) is drawn left of position `index`.
    bool allLeftOf(qsizetype from, qsizetype to, qsizetype index) const
    {
        for (qsizetype i = from; i < to; ++i)
            if (m_text[i].category() != QChar::Other_Format && !(xOf(i) < xOf(index)))
                return false;
        return true;
    }

private:
    QString m_text;
    QTextLayout m_layout;
    QTextLine m_line;
};

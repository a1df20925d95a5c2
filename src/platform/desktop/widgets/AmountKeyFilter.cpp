#include "AmountKeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace ui {
namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A comma typed where the text before the caret already ends in ",ddd": that
// comma was a thousands separator typed with the decimal key.
void insertDecimalComma(QLineEdit *box)
{
    const QString text = box->text();
    const int caret = box->cursorPosition();
    const int comma = int(text.lastIndexOf(QLatin1Char(','), caret - 1));
    const bool groupTyped = !box->hasSelectedText() && comma >= 1 && caret - comma == 4
        && text.count(QLatin1Char(',')) == 1 && isDigit(text[comma + 1]) && isDigit(text[comma + 2])
        && isDigit(text[comma + 3]) && isDigit(text[comma - 1]);
    if (groupTyped) {
        QString grouped = text;
        grouped[comma] = QLatin1Char('.');
        box->setText(grouped);
        box->setCursorPosition(caret);
    }
    box->insert(QStringLiteral(","));
}

class AmountKeyFilter : public QObject
{
public:
    explicit AmountKeyFilter(QLineEdit *box) : QObject(box), m_box(box) {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_box || event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        // Keys without a character (arrows, Home, Tab, Enter, Backspace,
        // Delete) and shortcuts such as paste are not filtered.
        if (text.isEmpty() || text[0].unicode() < 32 || text[0].unicode() == 127
            || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        const QChar c = text[0];
        if (isDigit(c) || c == QLatin1Char('-'))
            return false;
        insertDecimalComma(m_box);
        return true;
    }

private:
    QLineEdit *m_box;
};

} // namespace

void installAmountKeyFilter(QLineEdit *box)
{
    box->installEventFilter(new AmountKeyFilter(box));
}

} // namespace ui

#include "EntryFilters.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace cashbook {
namespace {

enum class Verdict { Pass, Drop, Replace };

class KeyFilter : public QObject
{
public:
    using Rule = Verdict (*)(QChar c);
    KeyFilter(QObject *parent, Rule rule, QChar replacement)
        : QObject(parent), m_rule(rule), m_replacement(replacement)
    {}

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || m_replacing)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        // Keys without a character (arrows, Home, Tab, Enter, Backspace, Delete)
        // are not filtered; Enter is the window's Enter-as-Tab rule.
        if (text.isEmpty() || text[0].unicode() < 32 || text[0].unicode() == 127
            || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        switch (m_rule(text[0])) {
        case Verdict::Pass: return false;
        case Verdict::Drop: return true;
        case Verdict::Replace: break;
        }
        QKeyEvent replaced(QEvent::KeyPress, 0, Qt::NoModifier, QString(m_replacement));
        m_replacing = true;
        QApplication::sendEvent(watched, &replaced);
        m_replacing = false;
        return true;
    }

private:
    Rule m_rule;
    QChar m_replacement;
    bool m_replacing = false;
};

Verdict dateRule(QChar c)
{
    if (c.isDigit() || c == QLatin1Char(','))
        return Verdict::Pass;
    if (c.unicode() >= 32 && c.unicode() <= 48)
        return Verdict::Replace;
    return Verdict::Drop;
}

} // namespace

void installDateKeyFilter(QLineEdit *box)
{
    box->installEventFilter(new KeyFilter(box, &dateRule, QLatin1Char('-')));
}

} // namespace cashbook

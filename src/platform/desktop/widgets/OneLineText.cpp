#include "OneLineText.h"

#include "platform/regional/GreekFormats.h"
#include "platform/regional/SafeText.h"

#include <QLineEdit>
#include <QValidator>

namespace ui {
namespace {

// A validator may rewrite the text it is given: the line edit then shows and
// keeps the rewritten text, for typing, pasting, dropping and setText alike.
class OneLineTextValidator : public QValidator
{
public:
    OneLineTextValidator(QObject *parent, bool upperCase) : QValidator(parent), m_upperCase(upperCase) {}

    State validate(QString &input, int &pos) const override
    {
        const QString before = input.left(pos);
        input = clean(input);
        pos = int(std::min(clean(before).size(), input.size()));
        return Acceptable;
    }

private:
    QString clean(const QString &text) const
    {
        const QString oneLine = regional::oneLineText(text);
        return m_upperCase ? regional::toUpperGreek(oneLine) : oneLine;
    }

    bool m_upperCase;
};

} // namespace

void SetOneLineText(QLineEdit *box)
{
    box->setValidator(new OneLineTextValidator(box, false));
}

void SetOneLineUpperCase(QLineEdit *box)
{
    box->setValidator(new OneLineTextValidator(box, true));
}

} // namespace ui

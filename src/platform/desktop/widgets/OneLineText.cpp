#include "OneLineText.h"

#include "platform/regional/GreekFormats.h"
#include "platform/regional/SafeText.h"

#include <QLineEdit>
#include <QValidator>
#include <algorithm>

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

namespace {

void install(QLineEdit *box, bool upperCase)
{
    const QValidator *old = box->validator();
    box->setValidator(new OneLineTextValidator(box, upperCase));
    if (dynamic_cast<const OneLineTextValidator *>(old))
        delete old;
}

} // namespace

void SetOneLineText(QLineEdit *box)
{
    install(box, false);
}

void SetOneLineUpperCase(QLineEdit *box)
{
    install(box, true);
}

bool KeepsOneLine(const QLineEdit *box)
{
    return dynamic_cast<const OneLineTextValidator *>(box->validator()) != nullptr;
}

} // namespace ui

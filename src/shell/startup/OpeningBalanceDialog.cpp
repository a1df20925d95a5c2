#include "OpeningBalanceDialog.h"

#include "platform/desktop/Messages.h"
#include "platform/desktop/widgets/AmountKeyFilter.h"
#include "platform/desktop/widgets/WindowRules.h"
#include "platform/regional/AmountText.h"
#include "platform/regional/GreekFormats.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

bool passesAlways(QChar c)
{
    return c.isDigit() || c == QChar(8) || c == QChar(128);
}

} // namespace

FR_ErvthshUpdate::FR_ErvthshUpdate(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FR_ErvthshUpdate"));
    setWindowTitle(QStringLiteral("Ερώτηση Ταμείου"));
    auto *layout = new QVBoxLayout(this);
    const QString captions[2] = {QStringLiteral("Ποια είναι η τελευταία ημέρα που έχεις ταμείο;"),
                                 QStringLiteral("Τί ποσό έχεις υπόλοιπο ταμείου;")};
    for (int i = 0; i < 2; ++i) {
        m_frame[i] = new QGroupBox(captions[i], this);
        m_frame[i]->setObjectName(ui::arrayName("Frame1", i));
        auto *inner = new QVBoxLayout(m_frame[i]);
        m_text[i] = new QLineEdit(m_frame[i]);
        m_text[i]->setObjectName(ui::arrayName("Text1", i));
        m_text[i]->installEventFilter(this);
        inner->addWidget(m_text[i]);
        if (i == 1)
            ui::installAmountKeyFilter(m_text[i]); // a balance may be negative: the minus passes
        layout->addWidget(m_frame[i]);
    }
    m_ok = new QPushButton(QStringLiteral("ΟΚ"), this);
    m_ok->setObjectName(QStringLiteral("Command1"));
    m_ok->setAutoDefault(false);
    layout->addWidget(m_ok, 0, Qt::AlignRight);
    connect(m_ok, &QPushButton::clicked, this, &FR_ErvthshUpdate::confirm);
    resize(ui::twipsToPixels(5400), sizeHint().height());
    ui::InstallEnterAsTab(this);
    ui::CenterForm(this);
}

QString FR_ErvthshUpdate::dateText() const
{
    return m_text[0]->text();
}

QString FR_ErvthshUpdate::amountText() const
{
    return m_text[1]->text();
}

bool FR_ErvthshUpdate::eventFilter(QObject *watched, QEvent *event)
{
    const int element = watched == m_text[0] ? 0 : watched == m_text[1] ? 1 : -1;
    if (element < 0)
        return QDialog::eventFilter(watched, event);
    QLineEdit *box = m_text[element];
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString t = key->text();
        if (element == 1 || t.size() != 1 || !t[0].isPrint() || key->key() == Qt::Key_Return
            || key->key() == Qt::Key_Enter)
            break; // the amount box has the shared amount filter
        if (!passesAlways(t[0])) {
            // Any other character becomes the date separator.
            box->insert(QStringLiteral("-"));
            return true;
        }
        break;
    }
    case QEvent::FocusIn:
        QTimer::singleShot(0, box, [box] { box->setSelection(0, box->maxLength()); });
        break;
    case QEvent::FocusOut:
        if (element == 0) {
            if (const auto d = regional::parseDate(box->text()))
                box->setText(regional::formatDate(*d));
        } else if (box->text().trimmed().isEmpty()) {
            box->setText(QStringLiteral("0"));
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void FR_ErvthshUpdate::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool FR_ErvthshUpdate::ValidateOpeningBalance()
{
    if (!regional::isDate(m_text[0]->text())) {
        msg::critical(QStringLiteral("Δώσε σωστά την ημερομηνία"),
                      QStringLiteral("Προσοχή στην ημερομηνία Πρέπει να δωθεί π.χ 05-12-2005"));
        return false;
    }
    if (m_text[1]->text().trimmed().isEmpty())
        m_text[1]->setText(QStringLiteral("0"));
    const regional::AmountCheck amount =
        regional::checkAmountText(m_text[1]->text(), regional::AmountSign::MayBeNegative);
    if (amount.accepted()) {
        // Shown, and handed on, in the one form the conversion reads the same
        // way ("12.5" typed with the keypad's dot would read as 125 there).
        if (m_text[1]->text().trimmed() != QStringLiteral("0"))
            m_text[1]->setText(regional::formatMoney(*amount.amount));
        return true;
    }
    msg::critical(QStringLiteral("Προσοχή"),
                  QStringLiteral("Εισάγετε το ποσό που έχετε υπόλοιπο ταμείου τη παραπάνω ημερομηνία")
                      + QLatin1Char('\n') + amount.refusal);
    return false;
}

void FR_ErvthshUpdate::confirm()
{
    if (!ValidateOpeningBalance())
        return;
    if (!msg::confirmYesNo(QStringLiteral("Προσοχή"),
                           QStringLiteral("Θα ενημερωθούν τα υπόλοιπα ταμείου με το παραπάνω ποσό. Να συνεχίσω;"),
                           msg::Answer::No))
        return;
    m_confirmed = true;
    accept();
}

std::optional<schemaupgrade::OpeningBalance> FR_ErvthshUpdate::ask(QWidget *parent)
{
    FR_ErvthshUpdate dialog(parent);
    if (dialog.exec() != QDialog::Accepted || !dialog.m_confirmed)
        return std::nullopt;
    return schemaupgrade::OpeningBalance{dialog.dateText(), dialog.amountText()};
}

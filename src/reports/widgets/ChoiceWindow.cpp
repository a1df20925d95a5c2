#include "ChoiceWindow.h"

#include "platform/desktop/widgets/WindowRules.h"

#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

QList<QRadioButton *> buildChoiceWindow(QDialog *dialog, const QString &objectName, const QString &caption,
                                        const QString &frameCaption, const QStringList &options,
                                        QVBoxLayout **frameLayout)
{
    dialog->setObjectName(objectName);
    dialog->setWindowTitle(caption);
    dialog->setModal(true);
    auto *frame = new QGroupBox(frameCaption, dialog);
    auto *inFrame = new QVBoxLayout(frame);
    QList<QRadioButton *> buttons;
    for (int i = 0; i < options.size(); ++i) {
        auto *option = new QRadioButton(options[i], frame);
        option->setObjectName(ui::arrayName("Option1", i));
        inFrame->addWidget(option);
        buttons << option;
    }
    buttons.first()->setChecked(true);
    auto *ok = new QPushButton(QStringLiteral("OK "), dialog);
    ok->setObjectName(QStringLiteral("SSCommand1"));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    auto *layout = new QVBoxLayout(dialog);
    layout->addWidget(frame);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
    dialog->setMinimumWidth(260);
    if (frameLayout)
        *frameLayout = inFrame;
    return buttons;
}

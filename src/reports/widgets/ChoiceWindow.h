#pragma once

#include <QList>
#include <QStringList>

class QDialog;
class QGroupBox;
class QRadioButton;
class QVBoxLayout;

// The shape the choice windows share: a caption, one frame of option buttons
// Option1(0..n-1) with the first one set, and the button SSCommand1 "OK "
// that closes the window. Returns the options; `frameLayout` receives the
// frame's layout for further controls.
QList<QRadioButton *> buildChoiceWindow(QDialog *dialog, const QString &objectName, const QString &caption,
                                        const QString &frameCaption, const QStringList &options,
                                        QVBoxLayout **frameLayout = nullptr);

#pragma once

// The About box, "About Prynex...", shown modally by Prynex::AboutBox().

#include <QDialog>

namespace prynex {

class FrmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit FrmAbout(QWidget *parent = nullptr);
};

}  // namespace prynex

#include "platform/pages/widgets/printdialog.h"

#include "platform/pages/engine.h"

#include <QApplication>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace pages {

namespace {

bool runDialog(Engine &engine, int kind)
{
    QPrinter &printer = engine.printer();
    QWidget *parent = QApplication::activeWindow();
    if (kind == 1) {
        QPageSetupDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, engine.PageCount() > 1);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, engine.PageCount() > 1);
    dialog.setMinMax(1, std::max(1, engine.PageCount()));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    // The user's choices become the engine's, which prints with them.
    engine.setCopies(printer.copyCount());
    engine.setCollate(printer.collateCopies() ? 1 : 0);
    engine.setDuplex(printer.duplex() == QPrinter::DuplexLongSide    ? 2
                     : printer.duplex() == QPrinter::DuplexShortSide ? 3
                                                                     : 1);
    engine.setColorMode(printer.colorMode() == QPrinter::GrayScale ? 1 : 2);
    return true;
}

}  // namespace

void installPrintDialog(Engine &engine)
{
    engine.setDialogHook(runDialog);
}

void installDefaultPrintDialog()
{
    Engine::setDefaultDialogHook(runDialog);
}

}  // namespace pages

#include "demo_window.h"

#include <prynex/prynex.h>

#include <QDate>
#include <QFile>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

using namespace Qt::StringLiterals;

DemoWindow::DemoWindow(const QString &formFile, QWidget *parent)
    : QMainWindow(parent), m_prynex(new Prynex(this)), m_formFile(formFile)
{
    setWindowTitle(u"Prynex demo"_s);
    m_prynex->setObjectName(u"Prynex1"_s);
    setCentralWidget(m_prynex);

    QToolBar *tools = addToolBar(u"Document"_s);
    tools->addAction(u"Properties..."_s, this, [this] {
        if (m_prynex->ShowPropertyPages(u"Header"_s, this))
            buildDocument();
    });
    tools->addAction(u"Rebuild"_s, this, [this] { buildDocument(); });
    tools->addAction(u"Save form"_s, this, [this] { saveForm(); });
    tools->addAction(u"About..."_s, this, [this] { m_prynex->AboutBox(); });

    // The host learns from the control when its form must be saved.
    connect(m_prynex, &Prynex::propertyChanged, this, [this](const QString &name) {
        m_dirty = true;
        statusBar()->showMessage(u"Changed: %1"_s.arg(name), 3000);
    });
    // An event with a by-reference argument: negative amounts of the last
    // column are printed in brackets.
    connect(m_prynex, &Prynex::NewTableCell, this, [](qint16 &row, qint16 &column, QString &cell) {
        if (row > 0 && column == 3 && cell.startsWith(u'-'))
            cell = u'(' + cell.mid(1) + u')';
    });
    connect(m_prynex, &Prynex::PrepareFooter, this, [this] { m_prynex->setFooter(u"||Page %d"_s); });
    resize(900, 700);
}

bool DemoWindow::loadForm()
{
    QFile file(m_formFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;  // no form yet: the control keeps its own start-up values
    QString error;
    const bool loaded = m_prynex->loadForm(QString::fromUtf8(file.readAll()), &error);
    if (!loaded)
        statusBar()->showMessage(u"%1: %2"_s.arg(m_formFile, error));
    m_dirty = false;
    return loaded;
}

bool DemoWindow::saveForm()
{
    QFile file(m_formFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    file.write(m_prynex->saveForm().toUtf8());
    m_dirty = false;
    statusBar()->showMessage(u"Saved %1"_s.arg(m_formFile), 3000);
    return true;
}

void DemoWindow::buildDocument()
{
    Prynex &p = *m_prynex;
    p.StartDoc();
    if (p.Header().isEmpty())
        p.setHeader(u"|Prynex sample document"_s);
    p.setParagraph(u"Ημερήσια κίνηση ταμείου — %1"_s.arg(QDate::currentDate().toString(u"dd-MM-yyyy"_s)));
    p.setParagraph(QString());
    p.AddTable(u"^900|<3600|>1800"_s, u"Κωδ.|Περιγραφή|Ποσό"_s, u" | | "_s, 0xDCFFFFu);
    const QStringList rows = {u"101|Πωλήσεις μετρητοίς|1.250,00"_s, u"205|Αγορά γραφικής ύλης|-84,30"_s,
                              u"310|Είσπραξη επιταγής|600,00"_s, u"402|Ενοίκιο|-450,00"_s};
    for (int i = 0; i < rows.size(); ++i)
        p.AddTable(u"^900|<3600|>1800"_s, u"Κωδ.|Περιγραφή|Ποσό"_s, rows[i], 0xDCFFFFu,
                   i % 2 ? 0xF0F0F0u : 0u, true);
    p.setParagraph(QString());
    p.setParagraph(u"Υπόλοιπο ημέρας: 1.315,70"_s);
    p.EndDoc();
}

#include "prynex/pages/property_sheet.h"

#include "prynex/pages/general_page.h"
#include "prynex/pages/layout_page.h"
#include "prynex/pages/standard_pages.h"

#include "platform/desktop/Messages.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace prynex {

namespace {

enum PageIndex { LayOut = 0, General = 1 };

}  // namespace

PropertySheet::PropertySheet(const QList<Prynex *> &controls, QWidget *parent) : QDialog(parent)
{
    setObjectName(u"PropertySheet"_s);
    setWindowTitle(u"Prynex Properties"_s);
    auto *column = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    column->addWidget(m_tabs);
    m_pages = {new LayOutPage(this), new GeneralPage(this), new StandardFontPage(this), new StandardColorPage(this)};
    for (PropertyPage *page : m_pages) {
        m_tabs->addTab(page, page->caption());
        page->setSelectedControls(controls);
        connect(page, &PropertyPage::changedStateChanged, this, [this] { updateApply(); });
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    m_apply = buttons->button(QDialogButtonBox::Apply);
    m_apply->setObjectName(u"cmdApply"_s);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(u"cmdOK"_s);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(u"cmdCancel"_s);
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &PropertySheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PropertySheet::reject);
    connect(m_apply, &QPushButton::clicked, this, [this] { applyAll(); });
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { updateApply(); });
    updateApply();
}

int PropertySheet::pageIndexFor(const QString &property)
{
    // Zoom, SpaceAfter, Preview, MouseScroll, MousePage, MarginTop,
    // MarginRight, MarginLeft and Columns are bound to LayOut, which is also
    // where a property bound to no page opens.
    static const QStringList general = {u"Header"_s, u"Footer"_s, u"FileName"_s};
    if (general.contains(property, Qt::CaseInsensitive))
        return General;
    return LayOut;
}

void PropertySheet::openOn(const QString &property)
{
    m_tabs->setCurrentIndex(pageIndexFor(property));
}

PropertyPage *PropertySheet::currentPage() const
{
    return qobject_cast<PropertyPage *>(m_tabs->currentWidget());
}

bool PropertySheet::applyAll()
{
    for (PropertyPage *page : m_pages) {
        if (!page->isChanged())
            continue;
        QString failed;
        if (!page->applyChanges(&failed)) {
            m_tabs->setCurrentWidget(page);
            msg::critical(u"Prynex"_s, u"Type mismatch: %1"_s.arg(failed));
            updateApply();
            return false;
        }
    }
    updateApply();
    return true;
}

void PropertySheet::accept()
{
    if (applyAll())
        QDialog::accept();
}

void PropertySheet::updateApply()
{
    // Apply takes every page's changes, so it stays enabled while any page,
    // on view or not, has some.
    const bool anyChanged =
        std::any_of(m_pages.begin(), m_pages.end(), [](const PropertyPage *page) { return page->isChanged(); });
    m_apply->setEnabled(anyChanged);
}

}  // namespace prynex

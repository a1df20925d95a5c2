#pragma once

// The control's property sheet: LayOut, General, then the font and colour
// pages, with OK, Cancel and Apply. Apply and OK both apply every page with
// changes (OK then closes); Apply is enabled while any page has some.

#include <QDialog>
#include <QList>

class Prynex;
class QPushButton;
class QTabWidget;

namespace prynex {

class PropertyPage;

class PropertySheet : public QDialog
{
    Q_OBJECT
public:
    PropertySheet(const QList<Prynex *> &controls, QWidget *parent = nullptr);

    // The page that edits a property (Zoom opens LayOut, Header General...);
    // LayOut for a property bound to no page.
    static int pageIndexFor(const QString &property);
    void openOn(const QString &property);

    QList<PropertyPage *> pages() const { return m_pages; }
    PropertyPage *currentPage() const;
    QPushButton *applyButton() const { return m_apply; }

    // Applies every changed page; a refused value is reported and stops there.
    bool applyAll();

    void accept() override;

private:
    void updateApply();

    QTabWidget *m_tabs;
    QList<PropertyPage *> m_pages;
    QPushButton *m_apply;
};

}  // namespace prynex

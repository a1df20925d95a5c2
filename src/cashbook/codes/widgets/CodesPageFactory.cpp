#include "CodesPageFactory.h"

#include "CodesPageWidget.h"

#include <QPointer>

namespace {

// The page object the main window keeps; the widget itself belongs to its
// parent, so whichever goes first, nothing is deleted twice.
class CodesPageHandle : public CodesPage
{
public:
    explicit CodesPageHandle(CodesPageWidget *widget) : m_widget(widget) {}
    ~CodesPageHandle() override { delete m_widget.data(); }

    QWidget *widget() override { return m_widget; }
    void InsertCode() override { if (m_widget) m_widget->InsertCode(); }
    void ChangeCode() override { if (m_widget) m_widget->ChangeCode(); }
    void DeleteCode() override { if (m_widget) m_widget->DeleteCode(); }
    void EditGroups() override { if (m_widget) m_widget->EditGroups(); }
    void EnterPage() override { if (m_widget) m_widget->EnterPage(); }
    void RequeryCodes() override { if (m_widget) m_widget->RequeryCodes(); }

private:
    QPointer<CodesPageWidget> m_widget;
};

} // namespace

std::unique_ptr<CodesPage> makeCodesPage(PageContext &context, QWidget *parent)
{
    return std::make_unique<CodesPageHandle>(new CodesPageWidget(context, parent));
}

#include "CashSheetPage.h"

#include "CashSheetWidget.h"

#include <QPointer>

namespace cashbook {
namespace {

// Owns the widget unless its parent window has already destroyed it.
class CashSheet final : public CashSheetPage
{
public:
    CashSheet(PageContext &context, QWidget *parent)
        : m_widget(new CashSheetWidget(context, *context.state->store, parent))
    {}
    ~CashSheet() override { delete m_widget.data(); }

    QWidget *widget() override { return m_widget; }
    void InsertMovement() override { m_widget->InsertMovement(); }
    bool ChangeMovement() override { return m_widget->ChangeMovement(); }
    bool DeleteMovement() override { return m_widget->DeleteMovement(); }
    void CloseCash() override { m_widget->CloseCash(); }
    void ClearSelection() override { m_widget->ClearSelection(); }
    void ShowInitialDay() override { m_widget->ShowInitialDay(); }
    bool IsDayClosed() override { return m_widget->IsDayClosed(); }
    void RefreshCodes() override { m_widget->RefreshCodes(); }
    void FocusCodeBox() override { m_widget->FocusCodeBox(); }

private:
    QPointer<CashSheetWidget> m_widget;
};

} // namespace

std::unique_ptr<CashSheetPage> makeCashSheetPage(PageContext &context, QWidget *parent)
{
    return std::make_unique<CashSheet>(context, parent);
}

} // namespace cashbook

#pragma once

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace prynex {

// Puts Prynex in Qt Designer's widget box under "Kelvora". Its shown
// properties carry their descriptions as tooltips; hidden ones, and Qt's own
// enabled and font that Enabled and Font stand for (prynex_property_sheet.h),
// are left out of the property editor. The context menu opens the property
// sheet and the About box (prynex_task_menu.h).
class PrynexDesignerPlugin : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    explicit PrynexDesignerPlugin(QObject *parent = nullptr);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override;
    QWidget *createWidget(QWidget *parent) override;
    bool isInitialized() const override;
    void initialize(QDesignerFormEditorInterface *core) override;
    QString domXml() const override;

private:
    bool m_initialized = false;
};

// <propertyspecifications> with one <tooltip> per described, shown property.
QString designerPropertyTooltips();

}  // namespace prynex

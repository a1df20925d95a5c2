#include "prynex/designer/prynex_designer_plugin.h"

#include "prynex/designer/prynex_property_sheet.h"
#include "prynex/designer/prynex_task_menu.h"

#include "prynex/about/logo.h"
#include <prynex/prynex.h>

#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QExtensionManager>
#include <QIcon>

using namespace Qt::StringLiterals;

namespace prynex {

PrynexDesignerPlugin::PrynexDesignerPlugin(QObject *parent) : QObject(parent) {}

QString PrynexDesignerPlugin::name() const
{
    return u"Prynex"_s;
}

QString PrynexDesignerPlugin::group() const
{
    return u"Kelvora"_s;
}

QString PrynexDesignerPlugin::toolTip() const
{
    return u"Prynex Control"_s;
}

QString PrynexDesignerPlugin::whatsThis() const
{
    return u"A page-layout and print-preview control programmed with the page engine's member names."_s;
}

QString PrynexDesignerPlugin::includeFile() const
{
    return u"prynex/prynex.h"_s;
}

QIcon PrynexDesignerPlugin::icon() const
{
    return QIcon(prynexLogo(32));
}

bool PrynexDesignerPlugin::isContainer() const
{
    return false;
}

QWidget *PrynexDesignerPlugin::createWidget(QWidget *parent)
{
    return new Prynex(parent);
}

bool PrynexDesignerPlugin::isInitialized() const
{
    return m_initialized;
}

void PrynexDesignerPlugin::initialize(QDesignerFormEditorInterface *core)
{
    if (m_initialized)
        return;
    if (QExtensionManager *manager = core ? core->extensionManager() : nullptr) {
        manager->registerExtensions(new PrynexTaskMenuFactory(manager), Q_TYPEID(QDesignerTaskMenuExtension));
        manager->registerExtensions(new PrynexPropertySheetFactory(manager),
                                    Q_TYPEID(QDesignerPropertySheetExtension));
    }
    m_initialized = true;
}

QString PrynexDesignerPlugin::domXml() const
{
    return uR"(<ui language="c++">
 <widget class="Prynex" name="prynex">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>320</width><height>240</height></rect>
  </property>
 </widget>
 <customwidgets>
  <customwidget>
   <class>Prynex</class>
   %1
  </customwidget>
 </customwidgets>
</ui>
)"_s.arg(designerPropertyTooltips());
}

}  // namespace prynex

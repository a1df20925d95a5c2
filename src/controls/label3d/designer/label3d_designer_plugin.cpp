#include "controls/label3d/designer/label3d_designer_plugin.h"

#include "controls/label3d/label3d.h"

#include <QIcon>

using namespace Qt::StringLiterals;

namespace kelvora {

Label3DDesignerPlugin::Label3DDesignerPlugin(QObject *parent) : QObject(parent) {}

QString Label3DDesignerPlugin::name() const
{
    return u"kelvora::Label3D"_s;
}

QString Label3DDesignerPlugin::group() const
{
    return u"Kelvora"_s;
}

QString Label3DDesignerPlugin::toolTip() const
{
    return u"Three-dimensional label"_s;
}

QString Label3DDesignerPlugin::whatsThis() const
{
    return u"A caption drawn twice with a one-pixel shift for a raised or sunken look."_s;
}

QString Label3DDesignerPlugin::includeFile() const
{
    return u"controls/label3d/label3d.h"_s;
}

QIcon Label3DDesignerPlugin::icon() const
{
    return {};
}

bool Label3DDesignerPlugin::isContainer() const
{
    return false;
}

QWidget *Label3DDesignerPlugin::createWidget(QWidget *parent)
{
    // Designer makes the widget before it applies the properties of a saved
    // form, so starting as a new instance is right for both cases.
    auto *label = new Label3D(parent);
    label->initProperties();
    return label;
}

bool Label3DDesignerPlugin::isInitialized() const
{
    return m_initialized;
}

void Label3DDesignerPlugin::initialize(QDesignerFormEditorInterface *)
{
    m_initialized = true;
}

QString Label3DDesignerPlugin::domXml() const
{
    return uR"(<ui language="c++">
 <widget class="kelvora::Label3D" name="label3D">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>120</width><height>24</height></rect>
  </property>
 </widget>
</ui>
)"_s;
}

} // namespace kelvora

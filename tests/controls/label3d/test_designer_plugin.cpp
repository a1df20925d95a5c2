// Loads the Designer plugin the way Qt Designer does and edits the control
// it makes through the meta-object, as the property editor does.
#include <QDomDocument>
#include <QLabel>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QDesignerCustomWidgetInterface *loadPlugin(QPluginLoader &loader)
{
    QObject *instance = loader.instance();
    EXPECT_NE(instance, nullptr) << loader.errorString().toStdString();
    return qobject_cast<QDesignerCustomWidgetInterface *>(instance);
}

} // namespace

TEST(Label3DDesignerPlugin, OffersTheControlUnderItsClassName)
{
    QPluginLoader loader(QStringLiteral(LABEL3D_PLUGIN_FILE));
    QDesignerCustomWidgetInterface *plugin = loadPlugin(loader);
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(plugin->name(), u"kelvora::Label3D"_s);
    EXPECT_EQ(plugin->includeFile(), u"controls/label3d/label3d.h"_s);
    EXPECT_FALSE(plugin->isContainer());

    // Designer reads the initial widget from this snippet.
    QDomDocument dom;
    ASSERT_TRUE(dom.setContent(plugin->domXml()));
    EXPECT_EQ(dom.documentElement().firstChildElement(u"widget"_s).attribute(u"class"_s), plugin->name());
}

TEST(Label3DDesignerPlugin, PropertiesAreEditableByName)
{
    QPluginLoader loader(QStringLiteral(LABEL3D_PLUGIN_FILE));
    QDesignerCustomWidgetInterface *plugin = loadPlugin(loader);
    ASSERT_NE(plugin, nullptr);
    QWidget form;
    QWidget *control = plugin->createWidget(&form);
    ASSERT_NE(control, nullptr);
    EXPECT_STREQ(control->metaObject()->className(), "kelvora::Label3D");

    const QMetaObject *meta = control->metaObject();
    for (const char *name : {"Caption", "Alignment", "Phase", "ForeColor1", "ForeColor2", "BackColor", "BorderStyle"}) {
        SCOPED_TRACE(name);
        const int index = meta->indexOfProperty(name);
        ASSERT_GE(index, 0);
        EXPECT_TRUE(meta->property(index).isDesignable());
        EXPECT_TRUE(meta->property(index).isWritable());
    }
    // Enabled and Font are edited as QWidget's enabled and font.
    EXPECT_FALSE(meta->property(meta->indexOfProperty("Enabled")).isDesignable());
    EXPECT_TRUE(meta->property(meta->indexOfProperty("enabled")).isDesignable());

    ASSERT_TRUE(control->setProperty("Phase", 3));
    ASSERT_TRUE(control->setProperty("Caption", u"Ταμείο"_s));
    auto *front = control->findChild<QLabel *>(u"Label2"_s);
    auto *back = control->findChild<QLabel *>(u"Label1"_s);
    ASSERT_TRUE(front && back);
    EXPECT_EQ(front->pos(), QPoint(1, 1));
    EXPECT_EQ(back->pos(), QPoint(0, 0));
    EXPECT_EQ(front->text(), u"Ταμείο"_s);
    EXPECT_EQ(back->text(), u"Ταμείο"_s);
}

// Loads the Designer plugin the way Qt Designer does: the widget box entry,
// the property editor's view of the control and the context menu.
#include <QAction>
#include <QApplication>
#include <QDomDocument>
#include <QIcon>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QTimer>
#include <QWidget>
#include <QtDesigner/QDesignerComponents>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QDesignerPropertySheetExtension>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionManager>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The plugin loaded as Designer loads it, fresh for each test: Designer
// initialises a plugin once, with its one core.
class PluginFile : public QPluginLoader
{
public:
    PluginFile() : QPluginLoader(QStringLiteral(PRYNEX_PLUGIN_FILE)) {}
    ~PluginFile() { unload(); }
};

QDesignerCustomWidgetInterface *loadPlugin(QPluginLoader &loader)
{
    QObject *instance = loader.instance();
    EXPECT_NE(instance, nullptr) << loader.errorString().toStdString();
    return qobject_cast<QDesignerCustomWidgetInterface *>(instance);
}

QMap<QString, QString> tooltips(const QString &domXml)
{
    QDomDocument dom;
    EXPECT_TRUE(dom.setContent(domXml));
    QMap<QString, QString> result;
    const QDomNodeList nodes = dom.elementsByTagName(u"tooltip"_s);
    for (int i = 0; i < nodes.size(); ++i) {
        const QDomElement element = nodes.at(i).toElement();
        result.insert(element.attribute(u"name"_s), element.text());
    }
    return result;
}

// Designer's core, with the extension manager the plugin registers its
// context menu with.
class DesignerCore : public QDesignerFormEditorInterface
{
public:
    DesignerCore() { setExtensionManager(new QExtensionManager(this)); }
};

}  // namespace

TEST(PrynexDesignerPlugin, OffersTheControlWithIconAndDescribedProperties)
{
    PluginFile loader;
    QDesignerCustomWidgetInterface *plugin = loadPlugin(loader);
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(plugin->name(), u"Prynex"_s);
    EXPECT_EQ(plugin->group(), u"Kelvora"_s);
    EXPECT_EQ(plugin->includeFile(), u"prynex/prynex.h"_s);
    EXPECT_FALSE(plugin->icon().isNull());

    const auto tips = tooltips(plugin->domXml());
    EXPECT_EQ(tips.value(u"Zoom"_s),
              u"Determines the size of the preview page: 100% is full size, 0% means fill the control"_s);
    EXPECT_EQ(tips.value(u"MarginLeft"_s), u"Sets/returns the margins, in Twips"_s);
    EXPECT_FALSE(tips.contains(u"FontName"_s)) << "hidden";
    EXPECT_FALSE(tips.contains(u"Font"_s)) << "it has no description";

    QWidget form;
    QWidget *control = plugin->createWidget(&form);
    ASSERT_NE(control, nullptr);
    const QMetaObject *meta = control->metaObject();
    EXPECT_STREQ(meta->className(), "Prynex");
    for (const char *shown : {"Zoom", "Header", "MarginLeft", "BackColor", "Preview", "HdrFont"}) {
        const int index = meta->indexOfProperty(shown);
        ASSERT_GE(index, 0) << shown;
        EXPECT_TRUE(meta->property(index).isDesignable()) << shown;
    }
    for (const char *hidden : {"FontName", "X1", "hDC", "Action", "Version", "Text"})
        EXPECT_LT(meta->indexOfProperty(hidden), meta->propertyOffset()) << hidden;
    // What the property editor writes reaches the engine.
    ASSERT_TRUE(control->setProperty("Zoom", 75));
    EXPECT_EQ(control->property("Zoom").toInt(), 75);
}

TEST(PrynexDesignerPlugin, ContextMenuOffersThePropertySheetAndTheAboutBox)
{
    PluginFile loader;
    QDesignerCustomWidgetInterface *plugin = loadPlugin(loader);
    ASSERT_NE(plugin, nullptr);
    DesignerCore core;
    QExtensionManager *manager = core.extensionManager();
    plugin->initialize(&core);
    EXPECT_TRUE(plugin->isInitialized());

    QWidget form;
    QWidget *control = plugin->createWidget(&form);
    auto *menu = qt_extension<QDesignerTaskMenuExtension *>(manager, control);
    ASSERT_NE(menu, nullptr);
    const QList<QAction *> actions = menu->taskActions();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[0]->text(), u"Properties..."_s);
    EXPECT_EQ(actions[1]->text(), u"About..."_s);
    EXPECT_EQ(menu->preferredEditAction(), actions[0]);

    // Each opens its modal window; close it from inside its event loop.
    for (const auto &[action, windowName] : {std::pair{actions[0], u"PropertySheet"_s}, std::pair{actions[1], u"frmAbout"_s}}) {
        QString seen;
        QTimer::singleShot(0, &form, [&] {
            if (QWidget *window = QApplication::activeModalWidget()) {
                seen = window->objectName();
                window->close();
            }
        });
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, &form, [] {
            if (QWidget *window = QApplication::activeModalWidget())
                window->close();
        });
        guard.start(5000);
        action->trigger();
        guard.stop();
        EXPECT_EQ(seen, windowName);
    }
}

TEST(PrynexDesignerPlugin, TheEditorShowsTheControlsEnabledAndFontButNotQtsDuplicates)
{
    PluginFile loader;
    QDesignerCustomWidgetInterface *plugin = loadPlugin(loader);
    ASSERT_NE(plugin, nullptr);
    // Designer's own core, with its own property sheets.
    std::unique_ptr<QDesignerFormEditorInterface> core(QDesignerComponents::createFormEditor(nullptr));
    ASSERT_NE(core, nullptr);
    plugin->initialize(core.get());

    QWidget form;
    QWidget *control = plugin->createWidget(&form);
    auto *sheet = qt_extension<QDesignerPropertySheetExtension *>(core->extensionManager(), control);
    ASSERT_NE(sheet, nullptr);
    QStringList shown;
    for (int i = 0; i < sheet->count(); ++i)
        if (sheet->isVisible(i))
            shown.append(sheet->propertyName(i));
    for (const QString &ours : {u"Enabled"_s, u"Font"_s, u"HdrFont"_s, u"Zoom"_s, u"BackColor"_s})
        EXPECT_EQ(shown.count(ours), 1) << ours.toStdString();
    for (const QString &qts : {u"enabled"_s, u"font"_s})
        EXPECT_FALSE(shown.contains(qts)) << qts.toStdString();
    EXPECT_TRUE(shown.contains(u"geometry"_s)) << "the rest of Qt's stay";
    EXPECT_TRUE(shown.contains(u"toolTip"_s));

    // The sheet still reads and writes the control.
    const int zoom = sheet->indexOf(u"Zoom"_s);
    ASSERT_GE(zoom, 0);
    sheet->setProperty(zoom, 60);
    EXPECT_EQ(control->property("Zoom").toInt(), 60);
    EXPECT_EQ(sheet->property(zoom).toInt(), 60);
}

// kelvora-check-designer-plugins [--folder DIR] NAME...
//
// Loads every plugin in Qt Designer's plugin folder (by default the one the
// installed Qt names: <plugins>/designer) as Designer itself does, through
// QPluginLoader and the custom-widget interfaces, creates each widget offered,
// and prints one line per widget. Exit status 0 when every widget NAME given
// (e.g. Prynex kelvora::Label3D) was offered and made, 1 otherwise.

#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QPluginLoader>
#include <QSet>
#include <QTextStream>
#include <QWidget>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QList<QDesignerCustomWidgetInterface *> widgetsOf(QObject *plugin)
{
    if (auto *collection = qobject_cast<QDesignerCustomWidgetCollectionInterface *>(plugin))
        return collection->customWidgets();
    if (auto *single = qobject_cast<QDesignerCustomWidgetInterface *>(plugin))
        return {single};
    return {};
}

}  // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QString folder = QLibraryInfo::path(QLibraryInfo::PluginsPath) + u"/designer"_s;
    QSet<QString> expected;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == u"--folder" && i + 1 < args.size())
            folder = args[++i];
        else
            expected.insert(args[i]);
    }

    QSet<QString> made;
    const QDir dir(folder);
    for (const QString &file : dir.entryList({u"*.so"_s}, QDir::Files, QDir::Name)) {
        QPluginLoader loader(dir.filePath(file));
        QObject *plugin = loader.instance();
        if (!plugin) {
            // Other vendors' plugins may need what is not installed here; only
            // the controls asked for decide the result.
            err << "not loaded: " << file << ": " << loader.errorString() << '\n';
            continue;
        }
        for (QDesignerCustomWidgetInterface *widget : widgetsOf(plugin)) {
            std::unique_ptr<QWidget> instance(widget->createWidget(nullptr));
            const QString className = instance ? QString::fromLatin1(instance->metaObject()->className()) : QString();
            out << widget->name() << " (group \"" << widget->group() << "\", " << file << "): "
                << (instance ? u"made a "_s + className : u"made no widget"_s) << '\n';
            if (instance && className == widget->name())
                made.insert(widget->name());
        }
    }

    int status = 0;
    for (const QString &name : expected) {
        if (!made.contains(name)) {
            err << "Qt Designer's plugin folder " << folder << " offers no working " << name << '\n';
            status = 1;
        }
    }
    return status;
}

// The library as a host and a registration tool load it: by dlopen, through
// its four entry points, with the class registry in a temporary folder.
#include <prynex/prynex_server.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <dlfcn.h>

using namespace Qt::StringLiterals;

namespace {

struct Library {
    Library() { handle = dlopen(PRYNEX_LIBRARY_FILE, RTLD_NOW | RTLD_LOCAL); }
    ~Library()
    {
        if (handle)
            dlclose(handle);
    }
    template <typename F> F entry(const char *name) { return reinterpret_cast<F>(dlsym(handle, name)); }
    void *handle = nullptr;
};

using Simple = long (*)();
using GetClassObject = long (*)(const char *, PrynexClassFactory **);

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class PrynexLibrary : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        registry = dir.filePath(u"config/prynex/classes.reg"_s);
        qputenv("PRYNEX_CLASS_REGISTRY", registry.toLocal8Bit());
        ASSERT_NE(library.handle, nullptr) << dlerror();
    }
    void TearDown() override { qunsetenv("PRYNEX_CLASS_REGISTRY"); }

    QTemporaryDir dir;
    QString registry;
    Library library;
};

}  // namespace

TEST_F(PrynexLibrary, RegisterThenUnregisterLeavesTheRegistryAsItWas)
{
    auto reg = library.entry<Simple>("DllRegisterServer");
    auto unreg = library.entry<Simple>("DllUnregisterServer");
    ASSERT_TRUE(reg && unreg);

    // No registry at first: none afterwards.
    ASSERT_EQ(reg(), PRYNEX_S_OK);
    const QString text = QString::fromUtf8(contents(registry));
    EXPECT_TRUE(text.contains(u"TypeLib\\" PRYNEX_LIBID u"\\1.0 = Prynex Control"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"TypeLib\\" PRYNEX_LIBID u"\\1.0\\Name = PrynexLib"_s));
    EXPECT_TRUE(text.contains(u"TypeLib\\" PRYNEX_LIBID u"\\1.0\\HelpFile = Prynex.hlp"_s));
    EXPECT_TRUE(text.contains(u"CLSID\\" PRYNEX_CLSID_PRYNEX u" = Prynex"_s));
    EXPECT_TRUE(text.contains(u"CLSID\\" PRYNEX_CLSID_LAYOUT u" = LayOut"_s));
    EXPECT_TRUE(text.contains(u"CLSID\\" PRYNEX_CLSID_GENERAL u" = General"_s));
    EXPECT_TRUE(text.contains(u"Interface\\" PRYNEX_IID_PRYNEX_EVENTS u" = __Prynex"_s));
    EXPECT_TRUE(text.contains(u"Interface\\" PRYNEX_IID_GENERAL u" = _General"_s));
    EXPECT_TRUE(text.contains(u"\\InprocServer = "_s + QString::fromLocal8Bit(PRYNEX_LIBRARY_FILE).section(u'/', -1)
                              .prepend(u""_s)) || text.contains(u"libprynex"_s));
    ASSERT_EQ(unreg(), PRYNEX_S_OK);
    EXPECT_FALSE(QFile::exists(registry));

    // Another server's entries, a comment and a blank line stay exactly.
    const QByteArray before = "# per-user classes\nCLSID\\{00000000-0000-0000-0000-000000000001} = Other\n\n"
                              "CLSID\\{00000000-0000-0000-0000-000000000001}\\InprocServer = /opt/other.so\n";
    {
        QFile file(registry);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(before);
    }
    ASSERT_EQ(reg(), PRYNEX_S_OK);
    ASSERT_EQ(reg(), PRYNEX_S_OK) << "registering twice adds nothing twice";
    ASSERT_EQ(unreg(), PRYNEX_S_OK);
    EXPECT_EQ(contents(registry), before);
}

TEST_F(PrynexLibrary, FactoriesByIdentifierAndTheUnloadAnswer)
{
    auto getClassObject = library.entry<GetClassObject>("DllGetClassObject");
    auto canUnload = library.entry<Simple>("DllCanUnloadNow");
    ASSERT_TRUE(getClassObject && canUnload);
    EXPECT_EQ(canUnload(), PRYNEX_S_OK);

    const struct {
        const char *id;
        const char *className;
    } classes[] = {{PRYNEX_CLSID_PRYNEX, "Prynex"},
                   {"424703c3-1c1b-11d1-a78c-444553540000", "prynex::LayOutPage"},
                   {PRYNEX_CLSID_GENERAL, "prynex::GeneralPage"}};
    for (const auto &c : classes) {
        SCOPED_TRACE(c.id);
        PrynexClassFactory *factory = nullptr;
        ASSERT_EQ(getClassObject(c.id, &factory), PRYNEX_S_OK);
        ASSERT_NE(factory, nullptr);
        QWidget *object = factory->CreateInstance(nullptr);
        ASSERT_NE(object, nullptr);
        EXPECT_STREQ(object->metaObject()->className(), c.className);
        EXPECT_EQ(canUnload(), PRYNEX_S_FALSE) << "an object is alive";
        delete object;
        EXPECT_EQ(canUnload(), PRYNEX_S_OK) << "the last object has gone";
        factory->LockServer(true);
        EXPECT_EQ(canUnload(), PRYNEX_S_FALSE);
        factory->LockServer(false);
    }
    PrynexClassFactory *factory = reinterpret_cast<PrynexClassFactory *>(1);
    EXPECT_EQ(getClassObject(PRYNEX_IID_PRYNEX, &factory), PRYNEX_CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(factory, nullptr);
}

TEST_F(PrynexLibrary, TheRegistrationToolCallsTheEntryPoints)
{
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"PRYNEX_CLASS_REGISTRY"_s, registry);
    tool.setProcessEnvironment(env);
    // Registered by its versioned link, as an installed library is: the
    // registry names the file exactly as given, not what the link points to.
    const QByteArray library = PRYNEX_LIBRARY_SONAME_FILE;
    ASSERT_TRUE(library.endsWith(".so.1"));
    tool.start(QStringLiteral(PRYNEX_REGISTER_TOOL), {QString::fromLocal8Bit(library)});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    const QByteArray text = contents(registry);
    EXPECT_TRUE(text.contains("CLSID\\" PRYNEX_CLSID_PRYNEX " = Prynex"));
    EXPECT_TRUE(text.contains("CLSID\\" PRYNEX_CLSID_PRYNEX "\\InprocServer = " + library + "\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("TypeLib\\" PRYNEX_LIBID "\\1.0\\0\\linux = " + library + "\n"));

    tool.start(QStringLiteral(PRYNEX_REGISTER_TOOL), {u"--unregister"_s, QString::fromLocal8Bit(library)});
    ASSERT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(registry));
}

TEST_F(PrynexLibrary, AnUnbalancedUnlockIsRefusedAndLeavesTheUnloadAnswerRight)
{
    auto getClassObject = library.entry<GetClassObject>("DllGetClassObject");
    auto canUnload = library.entry<Simple>("DllCanUnloadNow");
    ASSERT_TRUE(getClassObject && canUnload);
    PrynexClassFactory *factory = nullptr;
    ASSERT_EQ(getClassObject(PRYNEX_CLSID_PRYNEX, &factory), PRYNEX_S_OK);
    ASSERT_EQ(canUnload(), PRYNEX_S_OK);

    EXPECT_EQ(factory->LockServer(false), PRYNEX_E_FAIL) << "no lock to release";
    EXPECT_EQ(canUnload(), PRYNEX_S_OK);
    EXPECT_EQ(factory->LockServer(true), PRYNEX_S_OK);
    EXPECT_EQ(canUnload(), PRYNEX_S_FALSE);
    EXPECT_EQ(factory->LockServer(false), PRYNEX_S_OK);
    EXPECT_EQ(canUnload(), PRYNEX_S_OK) << "one lock, one release";
}

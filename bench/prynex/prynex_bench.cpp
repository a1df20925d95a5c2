// Sets and reads every property 10.000 times through the control and
// through the engine directly, and prints the ratio. Each readable and
// writable property is set to the value it already has, so the document
// does not change between rounds; write-only members are left out, since
// they act (write text, draw, print) rather than hold a value.
#include "prynex/property_table.h"
#include "prynex/prynex_private.h"

#include "platform/pages/engine.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 10000;

    Prynex control;
    pages::Engine &engine = *PrynexPrivate::get(control)->engine;
    struct Item {
        QString name;
        QVariant value;
    };
    std::vector<Item> items;
    for (const prynex::PropertyInfo &info : prynex::propertyTable())
        if (info.isControlProperty && info.access == prynex::Access::ReadWrite)
            items.push_back({info.qName(), control.propertyByName(info.qName())});

    auto run = [&](auto &&set, auto &&get) {
        QElapsedTimer timer;
        timer.start();
        qint64 sink = 0;
        for (int r = 0; r < rounds; ++r)
            for (const Item &item : items) {
                set(item.name, item.value);
                sink += get(item.name).isValid();
            }
        const qint64 ns = timer.nsecsElapsed();
        return std::pair{ns, sink};
    };
    const auto [engineNs, a] = run([&](const QString &n, const QVariant &v) { return engine.setPropertyByName(n, v); },
                                   [&](const QString &n) { return engine.propertyByName(n); });
    const auto [controlNs, b] = run([&](const QString &n, const QVariant &v) { return control.setPropertyByName(n, v); },
                                    [&](const QString &n) { return control.propertyByName(n); });
    std::printf("%zu read/write properties, %d rounds (set + read each)\n", items.size(), rounds);
    std::printf("engine directly: %8.1f ms\n", engineNs / 1e6);
    std::printf("through Prynex:  %8.1f ms\n", controlNs / 1e6);
    std::printf("ratio:           %8.2f (target < 1.5)  [%lld %lld]\n", double(controlNs) / double(engineNs),
                static_cast<long long>(a), static_cast<long long>(b));
    return 0;
}

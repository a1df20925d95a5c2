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

#include <algorithm>
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

    // Where the time goes: the members that cost most on the engine itself.
    std::vector<std::pair<qint64, QString>> costs;
    for (const Item &item : items) {
        QElapsedTimer timer;
        timer.start();
        for (int r = 0; r < 100; ++r) {
            engine.setPropertyByName(item.name, item.value);
            engine.propertyByName(item.name);
        }
        costs.emplace_back(timer.nsecsElapsed() / 100, item.name);
    }
    std::sort(costs.rbegin(), costs.rend());
    std::printf("costliest on the engine (set + read):");
    for (size_t i = 0; i < 3 && i < costs.size(); ++i)
        std::printf(" %s %.1f us", qPrintable(costs[i].second), costs[i].first / 1e3);
    std::printf("\n");

    // The two paths take turns round by round, so that the load of the
    // machine falls on both alike. The second figure leaves out the members
    // that ask the printer system (Device, Port...), whose cost hides the
    // control's own.
    auto compare = [&](const std::vector<Item> &set, const char *label) {
        qint64 engineNs = 0, controlNs = 0, a = 0, b = 0;
        QElapsedTimer timer;
        for (int r = 0; r < rounds; ++r) {
            timer.start();
            for (const Item &item : set) {
                engine.setPropertyByName(item.name, item.value);
                a += engine.propertyByName(item.name).isValid();
            }
            engineNs += timer.nsecsElapsed();
            timer.start();
            for (const Item &item : set) {
                control.setPropertyByName(item.name, item.value);
                b += control.propertyByName(item.name).isValid();
            }
            controlNs += timer.nsecsElapsed();
        }
        std::printf("%s: %zu read/write properties, %d rounds (set + read each)\n", label, set.size(), rounds);
        std::printf("  engine directly: %9.1f ms\n", engineNs / 1e6);
        std::printf("  through Prynex:  %9.1f ms\n", controlNs / 1e6);
        std::printf("  ratio:           %9.2f (target < 1.5)  [%lld %lld]\n", double(controlNs) / double(engineNs),
                    static_cast<long long>(a), static_cast<long long>(b));
    };
    std::vector<Item> inMemory;
    for (const Item &item : items)
        if (std::none_of(costs.begin(), costs.end(),
                         [&](const auto &cost) { return cost.second == item.name && cost.first > 20000; }))
            inMemory.push_back(item);
    compare(items, "all");
    compare(inMemory, "held in memory");
    return 0;
}

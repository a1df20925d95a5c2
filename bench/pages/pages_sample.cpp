// Writes two sample reports as PDF (a day cash sheet on A4 portrait and a
// group card on A4 landscape) to look at the engine's output as a user
// would:  pages_sample [output folder]

#include "platform/pages/engine.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

using namespace pages;

namespace {

void pageFrame(Engine &engine)
{
    engine.setOrientation(0);
    engine.setMarginLeft(350);
    engine.setMarginRight(850);
    engine.setMarginTop(450);
    engine.setMarginBottom(850);
    engine.setFontName(QStringLiteral("Arial greek"));
    engine.setFontSize(10);
    engine.setHdrFontName(QStringLiteral("arial greek"));
    engine.setHdrFontSize(13);
    engine.setPaperSize(9);
    QObject::connect(&engine, &Engine::PrepareFooter, &engine,
                     [&engine] { engine.setFooter(QStringLiteral("Σελίδα %d")); });
}

void daySheet(Engine &engine)
{
    pageFrame(engine);
    engine.StartDoc();
    engine.setHeader(QStringLiteral("Τ α μ ε ί ο  Η μ έ ρ α ς   05-12-2005  Κεντρικό"));
    engine.setFontBold(true);
    const QString format = QStringLiteral("^1100|^1000|<4000|>1500|>1500");
    const QString header = QStringLiteral("  α/α|Κωδ.|Περιγραφή|Εσοδα|Εξοδα");
    engine.AddTable(format, header, QStringLiteral(" |  | | |"), rgb(255, 255, 0));
    engine.setFontBold(false);
    engine.AddTable(format, header, QStringLiteral("||Υπόλοιπο από μεταφορά|12.500,00|"), rgb(255, 255, 0), 0, true);
    const char *descriptions[] = {"Είσπραξη ενοικίου καταστήματος", "Πληρωμή ΔΕΗ", "Αγορά γραφικής ύλης",
                                  "Κατάθεση στην Εθνική Τράπεζα του λογαριασμού όψεως της εταιρείας",
                                  "Εξόφληση τιμολογίου 245"};
    bool toggle = false;
    for (int i = 1; i <= 70; ++i) {
        const bool income = i % 3 == 0;
        const QString amount = QStringLiteral("%1,%2").arg(100 + i * 37).arg(i % 100, 2, 10, QLatin1Char('0'));
        engine.AddTable(format, header,
                        QStringLiteral("%1|%2|%3|%4|%5")
                            .arg(i)
                            .arg(100 + i % 9)
                            .arg(QString::fromUtf8(descriptions[i % 5]))
                            .arg(income ? amount : QString())
                            .arg(income ? QString() : amount),
                        rgb(255, 255, 0), toggle ? 0 : rgb(222, 225, 225), true);
        toggle = !toggle;
    }
    engine.setFontBold(true);
    engine.AddTable(format, header, QStringLiteral("||Υπόλοιπο = 9.876,54|3.210,00|5.833,46"), 0, 0, true);
    engine.setFontBold(false);
    engine.setTextColor(255);
    engine.setText(QStringLiteral("\rΔιαφορά = -2.623,46"));
    engine.setTextColor(0);
    engine.EndDoc();
}

void groupCard(Engine &engine)
{
    engine.setMarginBottom(850);
    engine.setMarginLeft(450);
    engine.setMarginRight(850);
    engine.setMarginTop(850);
    engine.setFontName(QStringLiteral("arial greek"));
    engine.setFontSize(10);
    engine.setPaperSize(9);
    engine.setOrientation(1);
    QObject::connect(&engine, &Engine::PrepareFooter, &engine,
                     [&engine] { engine.setFooter(QStringLiteral("Σελίδα %d")); });
    engine.StartDoc();
    const QString header = QStringLiteral("Τράπεζες|Ποσό|Προμηθευτές|  Ποσό|Πελάτες|   Ποσό");
    engine.setHdrFontName(QStringLiteral("Arial greek"));
    engine.setHdrFontSize(13);
    engine.setHeader(QStringLiteral("Καρτέλα ομάδων από 01-12-2005  έως  31-12-2005   Κεντρικό"));
    engine.setFontBold(true);
    engine.AddTable(QStringLiteral("^3500|^1800|^3500|>^1800|^3500|>^1800"), header, QStringLiteral("|||||"));
    engine.setFontBold(false);
    const QString rowFormat = QStringLiteral("<3500|>1800|<3500|>1800|<3500|>1800");
    bool toggle = false;
    for (int i = 1; i <= 40; ++i) {
        engine.AddTable(rowFormat, header,
                        QStringLiteral("Κατάθεση %1|%2,00|Τιμολόγιο %3|%4,50|%5|%6")
                            .arg(i)
                            .arg(i * 120)
                            .arg(300 + i)
                            .arg(i * 45)
                            .arg(i <= 25 ? QStringLiteral("Απόδειξη %1").arg(i) : QString())
                            .arg(i <= 25 ? QStringLiteral("%1,00").arg(i * 10) : QString()),
                        0, toggle ? 0 : rgb(222, 225, 225), true);
        toggle = !toggle;
    }
    engine.setFontBold(true);
    engine.AddTable(rowFormat, header, QStringLiteral("|98.400,00||36.900,00||3.250,00"));
    engine.EndDoc();
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath());
    Engine day;
    daySheet(day);
    Engine card;
    groupCard(card);
    const bool ok = day.WritePdf(folder.filePath(QStringLiteral("sample_day_sheet.pdf")))
                    && card.WritePdf(folder.filePath(QStringLiteral("sample_group_card.pdf")));
    std::printf("%s: %d + %d pages in %s\n", ok ? "written" : "FAILED", day.PageCount(), card.PageCount(),
                qPrintable(folder.path()));
    return ok ? 0 : 1;
}

#include "PageFrame.h"

namespace reports {

void applyPageFrame(pages::Engine &engine)
{
    engine.setOrientation(pages::orientation::Portrait);
    engine.setMarginLeft(350);
    engine.setMarginRight(850);
    engine.setMarginTop(450);
    engine.setMarginBottom(850);
    engine.setFontName(QStringLiteral("Arial greek"));
    engine.setFontSize(10);
    engine.setFontBold(false);
    engine.setHdrFontName(QStringLiteral("arial greek"));
    engine.setHdrFontSize(13);
    engine.setPaperSize(9);
}

void installPageFooter(pages::Engine &engine)
{
    QObject::connect(&engine, &pages::Engine::PrepareFooter, &engine,
                     [&engine] { engine.setFooter(QStringLiteral("Σελίδα %d")); });
}

void initialiseEngine(pages::Engine &engine)
{
    engine.setPaperSize(9);
    engine.setZoom(100);
}

} // namespace reports

// Where the document goes: printers, PDF files and the engine's own files.

#include "platform/pages/engine.h"

#include "platform/pages/docfile.h"
#include "platform/pages/engine_p.h"
#include "platform/pages/pagepainter.h"
#include "platform/pages/paper.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QSaveFile>

namespace pages {

namespace {

QPageLayout sheetLayout(const QSize &twips)
{
    const bool landscape = twips.width() > twips.height();
    const QSizeF portrait = landscape ? QSizeF(twips.height(), twips.width()) : QSizeF(twips);
    const QPageSize size(portrait / 1440.0, QPageSize::Inch, QString(), QPageSize::FuzzyMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

// Paper bins by the numbers the reports' platform used (1 upper ... 15 form source).
QPrinter::PaperSource paperSource(int bin)
{
    if (bin >= 1 && bin <= 11)
        return QPrinter::PaperSource(bin - 1);
    if (bin == 14)
        return QPrinter::Cassette;
    if (bin == 15)
        return QPrinter::FormSource;
    return QPrinter::Auto;
}

// The program printing or writing, named in print jobs and PDF files when
// the document has no name of its own: a host of the control is not Kelvora.
QString programName()
{
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("Kelvora") : name;
}

enum class PaintResult { Done, DeviceFailed, Stopped };

// Paints pages on any paged device: a QPrinter or a QPdfWriter. beforePage
// may stop the run.
template <typename Device>
PaintResult paintPages(Device &device, const Document &document, int first, int last, double dpi, double scale,
                       bool monochrome, const std::function<bool(int page, int of)> &beforePage = {})
{
    device.setPageLayout(sheetLayout(document.pages[size_t(first - 1)].size));
    QPainter painter;
    if (!painter.begin(&device))
        return PaintResult::DeviceFailed;
    for (int number = first; number <= last; ++number) {
        const Page &page = document.pages[size_t(number - 1)];
        if (beforePage && !beforePage(number - first + 1, last - first + 1)) {
            painter.end();
            return PaintResult::Stopped;
        }
        if (number > first) {
            device.setPageLayout(sheetLayout(page.size));
            device.newPage();
        }
        painter.resetTransform();
        painter.scale(dpi / 1440.0 * scale, dpi / 1440.0 * scale);
        paintPage(painter, page, PaintOptions{monochrome, false});
    }
    return painter.end() ? PaintResult::Done : PaintResult::DeviceFailed;
}

}  // namespace

QPrinter &Engine::printer()
{
    if (!d->printer)
        d->printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *d->printer;
}

void EnginePrivate::applyPrinterSettings(QPrinter &p) const
{
    p.setFullPage(true);  // margins are the document's, measured from the paper's edge
    p.setCopyCount(std::max(1, copies));
    p.setCollateCopies(collate != 0);
    p.setDuplex(duplex == 2 ? QPrinter::DuplexLongSide
                            : duplex == 3 ? QPrinter::DuplexShortSide : QPrinter::DuplexNone);
    p.setColorMode(colorMode == 1 ? QPrinter::GrayScale : QPrinter::Color);
    p.setPaperSource(paperSource(paperBin));
    if (printQuality > 0)
        p.setResolution(printQuality);
    p.setDocName(fileName.isEmpty() ? programName() : fileName);
}

bool EnginePrivate::printPages(int fromPage, int toPage)
{
    const int count = document.pageCount();
    const int first = std::max(1, fromPage);
    const int last = toPage <= 0 ? count : std::min(toPage, count);
    if (count == 0 || first > last) {
        setError(error::BadArgument);
        return false;
    }
    QPrinter &p = q->printer();
    applyPrinterSettings(p);
    const bool toFile = p.outputFormat() == QPrinter::PdfFormat;
    if ((toFile && p.outputFileName().isEmpty()) || (!toFile && !p.isValid())) {
        setError(error::NoPrinter);
        return false;
    }
    const double scale = scaleOutput > 0 ? scaleOutput / 100.0 : 1.0;
    std::function<bool(int, int)> beforePage;
    if (printProgress)
        beforePage = [this](int page, int of) { return printProgress(*q, page, of); };
    switch (paintPages(p, document, first, last, p.resolution(), scale, colorMode == 1, beforePage)) {
    case PaintResult::Done: return true;
    case PaintResult::Stopped:
        p.abort();
        setError(error::Cancelled);
        return false;
    default: setError(error::NoPrinter); return false;
    }
}

void Engine::setPrintProgress(PrintProgress progress)
{
    d->printProgress = std::move(progress);
}

bool Engine::PrintDoc(bool choose, int fromPage, int toPage)
{
    if (choose) {
        printer().setPrintRange(QPrinter::AllPages);
        if (!PrintDialog(0))
            return false;
        // The pages the user picked in the dialog win over the arguments.
        switch (printer().printRange()) {
        case QPrinter::PageRange:
            fromPage = printer().fromPage();
            toPage = printer().toPage();
            break;
        case QPrinter::CurrentPage:
            fromPage = toPage = d->previewPage;
            break;
        default: break;
        }
    }
    return d->printPages(fromPage, toPage);
}

bool Engine::WritePdf(const QString &fileName, int fromPage, int toPage,
                      const std::function<bool(int page, int of)> &beforePage, const QString &title,
                      const QString &creator)
{
    const int count = d->document.pageCount();
    const int first = std::max(1, fromPage);
    const int last = toPage <= 0 ? count : std::min(toPage, count);
    if (count == 0 || first > last) {
        d->setError(error::BadArgument);
        return false;
    }
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        d->setError(error::File);
        return false;
    }
    PaintResult result;
    {
        QPdfWriter writer(&file);
        writer.setResolution(1440);  // one device unit is one twip
        writer.setCreator(creator.isEmpty() ? programName() : creator);
        writer.setTitle(title.isEmpty() ? d->fileName : title);
        result = paintPages(writer, d->document, first, last, 1440.0, 1.0, false, beforePage);
    }
    if (result == PaintResult::Stopped) {
        file.cancelWriting();
        d->setError(error::Cancelled);
        return false;
    }
    if (result != PaintResult::Done || !file.commit()) {
        d->setError(error::File);
        return false;
    }
    return true;
}

bool Engine::SaveDoc(const QString &fileName, bool compress, int fromPage, int toPage)
{
    const FileResult result = writeDocumentFile(fileName, d->document, fromPage, toPage, compress,
                                                [this](int page, int of) {
                                                    bool cancel = false;
                                                    emit SavingDoc(page, of, cancel);
                                                    return !cancel;
                                                });
    switch (result) {
    case FileResult::Ok:
        d->fileName = fileName;
        return true;
    case FileResult::Cancelled: d->setError(error::Cancelled); return false;
    default: d->setError(error::File); return false;
    }
}

bool Engine::LoadDoc(const QString &fileName)
{
    Document loaded;
    const FileResult result = readDocumentFile(fileName, loaded, [this](int page, int of) {
        bool cancel = false;
        emit LoadingDoc(page, of, cancel);
        return !cancel;
    });
    switch (result) {
    case FileResult::Ok: break;
    case FileResult::Cancelled: d->setError(error::Cancelled); return false;
    case FileResult::BadFormat: d->setError(error::BadFile); return false;
    default: d->setError(error::File); return false;
    }
    d->active.reset();
    d->docOpen = false;
    d->document = std::move(loaded);
    d->fileName = fileName;
    d->previewPage = 1;
    emit documentChanged();
    emit previewPageChanged(1);
    return true;
}

// ---------------------------------------------------------------- devices

int Engine::NDevices() const { return int(QPrinterInfo::availablePrinterNames().size()); }
QStringList Engine::Devices() const { return QPrinterInfo::availablePrinterNames(); }

QString Engine::Device() const
{
    if (d->printer) {
        if (d->printer->outputFormat() == QPrinter::PdfFormat && !d->printer->outputFileName().isEmpty())
            return d->printer->outputFileName();
        if (!d->printer->printerName().isEmpty())
            return d->printer->printerName();
    }
    return QPrinterInfo::defaultPrinterName();
}

void Engine::setDevice(const QString &name)
{
    if (name.isEmpty())
        return;
    if (!QPrinterInfo::availablePrinterNames().contains(name))
        return d->refuse(error::NoPrinter);
    printer().setOutputFormat(QPrinter::NativeFormat);
    printer().setPrinterName(name);
}

QString Engine::Driver() const
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(Device());
    return info.isNull() ? QString() : info.makeAndModel();
}

QString Engine::Port() const
{
    if (!d->port.isEmpty())
        return d->port;
    const QPrinterInfo info = QPrinterInfo::printerInfo(Device());
    return info.isNull() ? QString() : info.location();
}

void Engine::setPort(const QString &port) { d->port = port; }
int Engine::NPorts() const { return Port().isEmpty() ? 0 : 1; }
QStringList Engine::Ports() const { return Port().isEmpty() ? QStringList() : QStringList{Port()}; }

int Engine::DPI() const
{
    return d->printer ? d->printer->resolution() : (d->printQuality > 0 ? d->printQuality : 600);
}

int Engine::TwipsPerPixelX() const { return std::max(1, 1440 / std::max(1, DPI())); }
int Engine::TwipsPerPixelY() const { return TwipsPerPixelX(); }

bool Engine::PaperBins(int binId) const
{
    return (binId >= 1 && binId <= 11) || binId == 14 || binId == 15;
}

bool Engine::PaperSizes(int paperId) const
{
    const auto id = paperPageSizeId(paperId);
    if (!id)
        return paperId == CustomPaper;
    const QPrinterInfo info = QPrinterInfo::printerInfo(Device());
    if (info.isNull())
        return true;
    for (const QPageSize &size : info.supportedPageSizes()) {
        if (size.id() == *id)
            return true;
    }
    return false;
}

}  // namespace pages

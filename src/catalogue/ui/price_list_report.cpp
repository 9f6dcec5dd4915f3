#include "catalogue/ui/price_list_report.h"

#include "app/message_box.h"
#include "base/error.h"
#include "catalogue/ui/ui_text.h"
#include "storage/project_context.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

namespace arkona::catalogue::ui {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

// Positions in device pixels, from millimetres of the page's paint area.
struct PriceListReport::Layout {
    QRect area;
    double mm = 1;
    QFont title;
    QFont header;
    QFont body;
    int lineHeight = 0;
    // Left edges of the columns and the right edge of the price columns.
    int kod = 0, nazev = 0, bez = 0, s = 0, sleva = 0, right = 0;

    int x(double millimetres) const { return area.left() + int(millimetres * mm); }
};

PriceListReport::PriceListReport(std::vector<PriceListLine> lines, std::string groupName, Date date,
                                 TimeOfDay time)
    : lines_(std::move(lines)), groupName_(std::move(groupName)), date_(date), time_(time) {}

int PriceListReport::paint(QPagedPaintDevice& device) const {
    QPainter p;
    if (!p.begin(&device)) {
        throw Error("Ceník nelze vytisknout: výstup nelze otevřít.");
    }
    Layout l;
    const int dpi = device.logicalDpiY();
    l.area = device.pageLayout().paintRectPixels(dpi);
    l.area.moveTo(0, 0);
    l.mm = dpi / 25.4;
    l.title = QFont(QStringLiteral("DejaVu Sans"));
    l.title.setPointSizeF(14);
    l.title.setBold(true);
    l.header = QFont(QStringLiteral("DejaVu Sans"));
    l.header.setPointSizeF(9);
    l.header.setBold(true);
    l.body = QFont(QStringLiteral("DejaVu Sans"));
    l.body.setPointSizeF(9);
    p.setFont(l.body);
    l.lineHeight = int(QFontMetrics(l.body, &device).height() * 1.25);
    const double width = l.area.width() / l.mm;
    l.kod = l.x(0);
    l.nazev = l.x(32);
    l.bez = l.x(width - 82);
    l.s = l.x(width - 52);
    l.sleva = l.x(width - 22);
    l.right = l.x(width);

    int page = 1;
    int y = paintHeader(p, l, page);
    for (const PriceListLine& line : lines_) {
        if (y + l.lineHeight > l.area.bottom()) {
            device.newPage();
            y = paintHeader(p, l, ++page);
        }
        paintLine(p, l, line, y);
        y += l.lineHeight;
    }
    p.end();
    return page;
}

int PriceListReport::paintHeader(QPainter& p, const Layout& l, int page) const {
    const Locale& locale = Locale::current();
    const int lh = l.lineHeight;
    int y = l.area.top();
    p.setFont(l.title);
    const int titleHeight = QFontMetrics(l.title, p.device()).height();
    p.drawText(QRect(l.kod, y, l.right - l.kod, titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
               qs(storage::kApplicationTitle));
    p.setFont(l.body);
    p.drawText(QRect(l.kod, y, l.right - l.kod, titleHeight), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("List číslo %1").arg(page));
    y += titleHeight;
    p.drawText(QRect(l.kod, y, l.right - l.kod, lh), Qt::AlignRight | Qt::AlignVCenter,
               qs(locale.formatDateTime(date_, time_)));
    p.setFont(l.header);
    p.drawText(QRect(l.kod, y, l.right - l.kod, lh), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Skupina: ") + qs(groupName_));
    y += lh + lh / 2;

    // Column header: "Ceny prodejní" over "bez DPH" and "s DPH".
    p.drawText(QRect(l.bez, y, l.sleva - l.bez, lh), Qt::AlignCenter,
               QStringLiteral("Ceny prodejní"));
    y += lh;
    p.drawText(QRect(l.kod, y, l.nazev - l.kod, lh), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Kód"));
    p.drawText(QRect(l.nazev, y, l.bez - l.nazev, lh), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Název zboží"));
    p.drawText(QRect(l.bez, y, l.s - l.bez, lh), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("bez DPH"));
    p.drawText(QRect(l.s, y, l.sleva - l.s, lh), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("s DPH"));
    p.drawText(QRect(l.sleva, y, l.right - l.sleva, lh), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Sleva"));
    y += lh;
    p.setPen(QPen(Qt::black, std::max(1.0, l.mm / 4)));
    p.drawLine(l.kod, y, l.right, y);
    p.setFont(l.body);
    return y + lh / 3;
}

void PriceListReport::paintLine(QPainter& p, const Layout& l, const PriceListLine& line,
                                int y) const {
    const int lh = l.lineHeight;
    const QFontMetrics metrics(l.body, p.device());
    const auto cell = [&](int left, int right, const QString& text, Qt::Alignment align) {
        const QString shown = metrics.elidedText(text, Qt::ElideRight, right - left - int(l.mm));
        p.drawText(QRect(left, y, right - left, lh), align | Qt::AlignVCenter, shown);
    };
    cell(l.kod, l.nazev, qs(line.item.kod), Qt::AlignLeft);
    cell(l.nazev, l.bez, qs(line.item.nazev), Qt::AlignLeft);
    cell(l.bez, l.s, qs(formatAmount(line.derived.P_CENA)), Qt::AlignRight);
    cell(l.s, l.sleva, qs(formatAmount(line.derived.P_CENA_DPH)), Qt::AlignRight);
    cell(l.sleva, l.right, qs(formatPercent(line.item.sleva)), Qt::AlignRight);
}

void savePriceListPdf(const PriceListReport& report, const std::filesystem::path& file) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(toQt(file));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    printer.setDocName(q(kPriceListTitle));
    report.paint(printer);
    if (!QFileInfo::exists(toQt(file))) {
        throw Error("Soubor „" + s(toQt(file)) + "“ nelze zapsat.");
    }
}

void showPriceListPreview(QWidget* parent, const PriceListReport& report) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    printer.setDocName(q(kPriceListTitle));
    QPrintPreviewDialog preview(&printer, parent);
    preview.setObjectName(QStringLiteral("dlgCenik"));
    preview.setWindowTitle(q(kPriceListTitle));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&report](QPrinter* target) {
                         try {
                             report.paint(*target);
                         } catch (const Error& e) {
                             app::Messages::error(e.what());
                         }
                     });
    if (auto* bar = preview.findChild<QToolBar*>()) {
        bar->addSeparator();
        QAction* pdf = bar->addAction(QStringLiteral("Uložit jako PDF"));
        pdf->setObjectName(QStringLiteral("acUlozitPDF"));
        QObject::connect(pdf, &QAction::triggered, &preview, [&preview, &report] {
            QFileDialog chooser(&preview, QStringLiteral("Uložit ceník jako PDF"));
            chooser.setObjectName(QStringLiteral("dlgUlozitCenik"));
            chooser.setOption(QFileDialog::DontUseNativeDialog);
            chooser.setAcceptMode(QFileDialog::AcceptSave);
            chooser.setNameFilter(QStringLiteral("PDF (*.pdf)"));
            chooser.setDefaultSuffix(QStringLiteral("pdf"));
            chooser.selectFile(QStringLiteral("cenik.pdf"));
            if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) {
                return;
            }
            try {
                savePriceListPdf(report, fromQt(chooser.selectedFiles().front()));
            } catch (const Error& e) {
                app::Messages::error(e.what());
            }
        });
    }
    preview.exec();
}

} // namespace arkona::catalogue::ui

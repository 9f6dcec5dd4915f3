#pragma once

#include "base/locale.h"
#include "catalogue/price_list.h"

#include <QString>
#include <filesystem>
#include <string>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QPrinter;
class QWidget;

namespace arkona::catalogue::ui {

// The price list of one group: on every page the title line (the product name, "List číslo"
// with the page number, date and time), the group, the column header; then one line per item
// with KOD, NAZEV, P_CENA, P_CENA_DPH and SLEVA.
class PriceListReport {
public:
    PriceListReport(std::vector<PriceListLine> lines, std::string groupName, Date date,
                    TimeOfDay time);

    // Paints every page onto the device (a printer, a PDF writer); returns the page count.
    int paint(QPagedPaintDevice& device) const;
    int lineCount() const { return static_cast<int>(lines_.size()); }

private:
    struct Layout;
    // Returns where the item lines begin.
    int paintHeader(QPainter& p, const Layout& l, int page) const;
    void paintLine(QPainter& p, const Layout& l, const PriceListLine& line, int y) const;

    std::vector<PriceListLine> lines_;
    std::string groupName_;
    Date date_;
    TimeOfDay time_;
};

// Writes the report as a PDF file; throws arkona::Error when the file cannot be written.
void savePriceListPdf(const PriceListReport& report, const std::filesystem::path& file);

// The print preview "Katalog - Ceník" (object name "dlgCenik") with a command that saves the
// report as PDF.
void showPriceListPreview(QWidget* parent, const PriceListReport& report);

inline constexpr const char* kPriceListTitle = "Katalog - Ceník";

} // namespace arkona::catalogue::ui

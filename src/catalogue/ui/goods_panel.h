#pragma once

#include "catalogue/goods_placing.h"
#include "catalogue/section_goods.h"

#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class QAction;
class QMenu;
class QTableWidget;
class QToolButton;

namespace arkona {
class StatusLine;
}
namespace arkona::storage {
class TData2;
struct ProjectContext;
} // namespace arkona::storage

namespace arkona::catalogue::ui {

// The list "Seznam zboží zařazeného v produktové sekci" of the main window: the goods, sets and
// headings of the current product section with their add menu, editing, deleting and sorting.
// The row editor and the catalogue window belong to the main window; it hands them in.
class TGoodsPanel : public QWidget {
    Q_OBJECT
public:
    struct Hooks {
        // A new row of the type ('R', 'S', 'N') in the row editor; true when it was stored.
        std::function<bool(char typ, const SectionKey& section)> addRow;
        // The row editor on a listed row; true when it was stored.
        std::function<bool(const ProductRef& ref)> editRow;
        // The catalogue window in placing mode for the section.
        std::function<void(PlacingMode mode, const SectionKey& section)> placeFromCatalogue;
        // The "$" switch changed (the main window remembers it).
        std::function<void(bool withPrices)> pricesSwitched;
    };

    TGoodsPanel(const storage::ProjectContext& project, storage::TData2& data, StatusLine& status,
                QWidget* parent = nullptr);

    Hooks& hooks() { return hooks_; }
    // Reads the goods of the data module's current section again; the current row stays.
    void reload();
    void setWithPrices(bool withPrices);
    bool withPrices() const { return withPrices_; }

    QMenu* addMenu() const { return pmPridat_; }
    QTableWidget* list() const { return grdZbozi_; }
    // The listed rows, in list order.
    const std::vector<GoodsListRow>& rows() const { return rows_; }
    bool canEdit() const;
    bool canDelete() const;

    void editCurrent();
    void deleteMarked();
    void sortByColumn(int column);

signals:
    // The list took the focus: the main window's toolbar acts on goods.
    void focusEntered();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    void fillList();
    void add(char typ);
    void place(PlacingMode mode);
    std::optional<SectionKey> section() const;
    std::vector<ProductRef> marked() const;

    const storage::ProjectContext& project_;
    storage::TData2& data_;
    StatusLine& status_;
    Hooks hooks_;
    bool withPrices_ = true;
    std::vector<GoodsListRow> rows_;
    QToolButton* sbCeny_ = nullptr;
    QTableWidget* grdZbozi_ = nullptr;
    QMenu* pmPridat_ = nullptr;
};

} // namespace arkona::catalogue::ui

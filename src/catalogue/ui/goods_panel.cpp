#include "catalogue/ui/goods_panel.h"

#include "app/busy_cursor.h"
#include "app/message_box.h"
#include "base/error.h"
#include "base/locale.h"
#include "base/progress.h"
#include "base/textcase.h"
#include "catalogue/goods_sorting.h"
#include "catalogue/ui/ui_text.h"
#include "storage/data_module.h"
#include "storage/project_context.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <set>

namespace arkona::catalogue::ui {

using app::Messages;

namespace {

enum Column { cNazev, cCena, cCenaDph, cSleva, cSlevaKc, cKod, cTyp, cCount };

// The sort of a column title; the discount and type columns do not sort.
GoodsSort sortOfColumn(int column) {
    switch (column) {
    case cNazev:
        return GoodsSort::ByName;
    case cKod:
        return GoodsSort::ByCode;
    case cCena:
        return GoodsSort::ByNetPrice;
    case cCenaDph:
        return GoodsSort::ByGrossPrice;
    default:
        return GoodsSort::None;
    }
}

QString money(double value) {
    return q(Locale::current().formatNumber(value, 2));
}

} // namespace

TGoodsPanel::TGoodsPanel(const storage::ProjectContext& project, storage::TData2& data,
                         StatusLine& status, QWidget* parent)
    : QWidget(parent), project_(project), data_(data), status_(status) {
    setObjectName(QStringLiteral("pnZbozi"));
    setToolTip(QStringLiteral("Seznam zboží zařazeného v produktové sekci"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QHBoxLayout;
    auto* caption = new QLabel(QStringLiteral("Zboží v sekci:"), this);
    sbCeny_ = new QToolButton(this);
    sbCeny_->setObjectName(QStringLiteral("sbCeny"));
    sbCeny_->setText(QStringLiteral("$"));
    sbCeny_->setCheckable(true);
    sbCeny_->setChecked(withPrices_);
    sbCeny_->setToolTip(QStringLiteral("Přepínač zobrazení cen v produktové sekci"));
    connect(sbCeny_, &QToolButton::toggled, this, [this](bool on) {
        setWithPrices(on);
        if (hooks_.pricesSwitched) {
            hooks_.pricesSwitched(on);
        }
    });
    auto* pbPridat = new QToolButton(this);
    pbPridat->setObjectName(QStringLiteral("sbPridatZbozi"));
    pbPridat->setText(QStringLiteral("Přidat"));
    pbPridat->setPopupMode(QToolButton::InstantPopup);
    bar->addWidget(caption);
    bar->addStretch(1);
    bar->addWidget(pbPridat);
    bar->addWidget(sbCeny_);
    layout->addLayout(bar);

    grdZbozi_ = new QTableWidget(0, cCount, this);
    grdZbozi_->setObjectName(QStringLiteral("grdZbozi"));
    grdZbozi_->setToolTip(toolTip());
    grdZbozi_->setHorizontalHeaderLabels(
        {QStringLiteral("Název zboží (sestavy) / Nadpis"), QStringLiteral("Cena bez DPH"),
         QStringLiteral("Cena s DPH"), QStringLiteral("Sleva %"), QStringLiteral("Sleva Kč"),
         QStringLiteral("Kód"), QStringLiteral("Typ")});
    grdZbozi_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdZbozi_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grdZbozi_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdZbozi_->verticalHeader()->hide();
    grdZbozi_->setWordWrap(false);
    grdZbozi_->verticalHeader()->setDefaultSectionSize(grdZbozi_->fontMetrics().height() + 6);
    grdZbozi_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grdZbozi_->horizontalHeader()->setSectionResizeMode(cNazev, QHeaderView::Stretch);
    grdZbozi_->horizontalHeader()->setSectionsClickable(true);
    grdZbozi_->installEventFilter(this);
    connect(grdZbozi_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { sortByColumn(column); });
    connect(grdZbozi_, &QTableWidget::cellDoubleClicked, this, [this] { editCurrent(); });
    layout->addWidget(grdZbozi_, 1);

    buildMenu();
    pbPridat->setMenu(pmPridat_);
}

void TGoodsPanel::buildMenu() {
    pmPridat_ = new QMenu(this);
    pmPridat_->setObjectName(QStringLiteral("pmPridatZbozi"));
    const auto item = [this](const char* name, const char* text, std::function<void()> run) {
        QAction* a = pmPridat_->addAction(QString::fromUtf8(text));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, std::move(run));
    };
    item("mnZboziRucne", "Nové zboží &ručně zadané", [this] { add('R'); });
    item("mnZboziKatalog", "Nové zboží z &katalogu", [this] { place(PlacingMode::Goods); });
    item("mnSestavaRucne", "Nová ses&tava ručně zadaná", [this] { add('S'); });
    item("mnSestavaKatalog", "Nová &sestava z katalogu", [this] { place(PlacingMode::Sets); });
    item("mnNadpis", "Nový &nadpis", [this] { add('N'); });
}

std::optional<SectionKey> TGoodsPanel::section() const {
    const storage::DataView& sections = data_.qHtml;
    if (!sections.isOpen() || sections.isEmpty() || text::trim(sections.text("TYP")) != "p" ||
        sections.isBlank("SEKCEID")) {
        return std::nullopt;
    }
    return SectionKey{std::string(text::trim(sections.text("HTMLID"))),
                      static_cast<int>(sections.number("SEKCEID"))};
}

void TGoodsPanel::setWithPrices(bool withPrices) {
    withPrices_ = withPrices;
    if (sbCeny_->isChecked() != withPrices) {
        const QSignalBlocker quiet(sbCeny_);
        sbCeny_->setChecked(withPrices);
    }
    for (int c : {cCena, cCenaDph, cSlevaKc}) {
        grdZbozi_->setColumnHidden(c, !withPrices);
    }
    reload();
}

void TGoodsPanel::reload() {
    rows_.clear();
    const bool product = section().has_value();
    if (product) {
        try {
            openSectionGoods(data_, withPrices_);
            rows_ = sectionGoodsList(data_.activeGoodsView(), withPrices_);
        } catch (const Error& e) {
            Messages::error(e.what());
        }
    }
    for (QAction* a : pmPridat_->actions()) {
        a->setEnabled(product);
    }
    fillList();
}

void TGoodsPanel::fillList() {
    const int current = grdZbozi_->currentRow();
    const QSignalBlocker quiet(grdZbozi_);
    grdZbozi_->clearContents();
    grdZbozi_->setRowCount(static_cast<int>(rows_.size()));
    const auto cell = [this](int row, int column, const QString& text, bool number) {
        auto* item = new QTableWidgetItem(text);
        if (number) {
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        }
        grdZbozi_->setItem(row, column, item);
    };
    for (int r = 0; r < static_cast<int>(rows_.size()); ++r) {
        const GoodsListRow& g = rows_[static_cast<std::size_t>(r)];
        cell(r, cNazev, q(g.nazev), false);
        const bool heading = g.typ == kTypeHeading;
        if (g.prices && !heading) {
            cell(r, cCena, money(g.prices->TMP_P_CENA), true);
            cell(r, cCenaDph, money(g.prices->TMP_P_CENA_DPH), true);
            cell(r, cSlevaKc, money(g.prices->TMP_SLEVA_KC), true);
        }
        cell(r, cSleva, heading ? QString() : money(g.sleva), true);
        cell(r, cKod, q(g.kod), false);
        cell(r, cTyp, q(g.typText), false);
    }
    if (!rows_.empty()) {
        grdZbozi_->setCurrentCell(std::clamp(current, 0, static_cast<int>(rows_.size()) - 1),
                                  cNazev);
    }
}

bool TGoodsPanel::canEdit() const {
    const int row = grdZbozi_->currentRow();
    return section() && row >= 0 && row < static_cast<int>(rows_.size());
}

bool TGoodsPanel::canDelete() const {
    return !marked().empty();
}

std::vector<ProductRef> TGoodsPanel::marked() const {
    std::set<int> chosen;
    for (const QModelIndex& index : grdZbozi_->selectionModel()->selectedRows()) {
        chosen.insert(index.row());
    }
    std::vector<ProductRef> out;
    for (int row : chosen) {
        if (row >= 0 && row < static_cast<int>(rows_.size())) {
            out.push_back(rows_[static_cast<std::size_t>(row)].ref);
        }
    }
    return out;
}

void TGoodsPanel::add(char typ) {
    const auto key = section();
    if (!key || !hooks_.addRow) {
        return;
    }
    if (hooks_.addRow(typ, *key)) {
        reload();
        grdZbozi_->setCurrentCell(grdZbozi_->rowCount() - 1, cNazev);
    }
}

void TGoodsPanel::place(PlacingMode mode) {
    if (const auto key = section(); key && hooks_.placeFromCatalogue) {
        hooks_.placeFromCatalogue(mode, *key);
    }
}

void TGoodsPanel::editCurrent() {
    if (!canEdit() || !hooks_.editRow) {
        return;
    }
    const int row = grdZbozi_->currentRow();
    if (hooks_.editRow(rows_[static_cast<std::size_t>(row)].ref)) {
        reload();
    }
}

void TGoodsPanel::deleteMarked() {
    const std::vector<ProductRef> refs = marked();
    if (refs.empty()) {
        return;
    }
    try {
        if (deleteProductsAsked(project_, refs, Messages::prompter()) > 0) {
            reload();
        }
    } catch (const Error& e) {
        Messages::error(e.what());
        reload();
    }
}

void TGoodsPanel::sortByColumn(int column) {
    const GoodsSort sort = sortOfColumn(column);
    const auto key = section();
    if (sort == GoodsSort::None || !key) {
        return;
    }
    try {
        const app::BusyCursor busy;
        if (sortSection(project_, *key, sort, status_)) {
            reload();
        }
    } catch (const Error& e) {
        Messages::error(e.what());
    }
}

bool TGoodsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grdZbozi_) {
        if (event->type() == QEvent::FocusIn) {
            emit focusEntered();
        } else if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Insert && section()) {
                const QRect cell = grdZbozi_->visualRect(grdZbozi_->currentIndex());
                pmPridat_->popup(grdZbozi_->viewport()->mapToGlobal(cell.bottomLeft()));
                return true;
            }
            if (key->key() == Qt::Key_Delete) {
                deleteMarked();
                return true;
            }
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                editCurrent();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace arkona::catalogue::ui

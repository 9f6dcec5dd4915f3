#pragma once

#include "base/progress.h"
#include "storage/data_view.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace arkona::storage {

// The storage layer of the open project: fifteen views on its tables, the setters that move
// them, the cascades between them, the write operations of the buffered views, the key
// operations, the data check and the packing of the tables. Created once at program start.
class TData2 {
public:
    TData2();
    TData2(const TData2&) = delete;
    TData2& operator=(const TData2&) = delete;

    DataView qStruktur;
    DataView qTree;
    DataView qLink;
    DataView qHtml;
    DataView qZbozi;
    DataView qZboziL;
    DataView qZboziUpr;
    DataView qSkupiny;
    DataView qPomSkupiny;
    DataView qKatalog;
    DataView qKompot;
    DataView qSestSk;
    DataView qDistrib;
    DataView qPromSystem;
    DataView qPromUser;

    // What the windows hang on the cascades; each may be left empty.
    struct Hooks {
        std::function<void()> repaintMainWindow;
        std::function<void()> reloadPagePanel;    // Part of the page tree: the current page changed
        std::function<void()> reloadSectionPanel; // the current section changed
        std::function<void(bool)> suspendCatalogueUpdates;
        std::function<void()> catalogueGroupChanged; // counters and buttons of the catalogue
        std::function<void()> catalogueItemChanged;  // picture and page list of the item
    };
    Hooks hooks;

    // The status bar of the main window (pack texts); may be left empty.
    StatusLine* status = nullptr;

    const std::filesystem::path& projectFolder() const { return projectFolder_; }
    std::filesystem::path tableFile(std::string_view fileName) const;

    void SetProjectPath(const std::filesystem::path& projectFolder);
    void CloseQuery();

    void STRUKTUR_SetHtmlID(const std::string& id);
    void HTML_SetHtmlID(const std::string& id);
    void LINK_SetSRC(const std::string& src);
    void PROM_SetHtmlID(const std::string& id);
    void SKUPINY_SetSkupID(int id);
    void KATALOG_REFRESH();

    // Each fails with "Update failed" when its statement would not affect exactly one row; it
    // then changes nothing.
    void HTML_UPDATE(int kind);
    void ZBOZI_UPDATE(int kind);
    void KOMPOT_UPDATE(int kind);
    void SESTSK_UPDATE(int kind);
    void DISTRIB_UPDATE(int kind);
    void KATALOG_UPDATE(int kind);

    void STRUKTUR_MAX(int& n, int& poradi) const;
    void HTML_MAX(int& sekceid, int& poradi) const;
    int ZBOZI_MAX() const;
    void SESTSK_MAX(int& skupid, int& poradi) const;
    int DISTRIB_MAX() const;
    int SKUPINY_MAX_SKUPID() const;
    int SKUPINY_MAX_PORADI() const;
    int STRUKTUR_COUNT() const;
    int KATALOG_COUNT() const;
    int ZBOZISKUP(const std::string& code) const;

    // Deletes the rows no part of the program can reach; with `progress` it shows the progress
    // window. Stops at the first table that fails (the error goes to the caller).
    void CheckData(Progress* progress);
    // Packs the eleven tables; a table that cannot be packed stays as it was. The module's own
    // open views are closed for it and opened again on the same rows afterwards.
    // Returns the messages of the tables that could not be packed.
    std::vector<std::string> PACK();

    // Row-change cascades run only while the switch is on and no CascadeOff is alive.
    bool cascadeActive() const { return cascadeSwitch_ && cascadeHolds_ == 0; }
    void setCascadeSwitch(bool on) { cascadeSwitch_ = on; }
    bool cascadeSwitch() const { return cascadeSwitch_; }
    class CascadeOff {
    public:
        explicit CascadeOff(TData2& data) : data_(data) { ++data_.cascadeHolds_; }
        ~CascadeOff() { --data_.cascadeHolds_; }
        CascadeOff(const CascadeOff&) = delete;
        CascadeOff& operator=(const CascadeOff&) = delete;

    private:
        TData2& data_;
    };

    // The main window's page-panel refresh: off while any PagePanelRefreshOff is alive.
    bool pagePanelRefresh() const { return refreshHolds_ == 0; }
    class PagePanelRefreshOff {
    public:
        explicit PagePanelRefreshOff(TData2& data) : data_(data) { ++data_.refreshHolds_; }
        ~PagePanelRefreshOff() { --data_.refreshHolds_; }
        PagePanelRefreshOff(const PagePanelRefreshOff&) = delete;
        PagePanelRefreshOff& operator=(const PagePanelRefreshOff&) = delete;

    private:
        TData2& data_;
    };

    // Goods of the current product section are shown with prices (qZbozi) or without (qZboziL).
    void setGoodsWithPrices(bool withPrices) { goodsWithPrices_ = withPrices; }
    bool goodsWithPrices() const { return goodsWithPrices_; }
    DataView& activeGoodsView() { return goodsWithPrices_ ? qZbozi : qZboziL; }

    // A page preview is being generated (the cascade then also opens qZbozi).
    bool previewGenerating = false;
    // Cleared whenever a page, section, goods, set or variable row changes, so that the next
    // preview is generated anew.
    std::string previewCacheKey;

    // Whether qKatalog computes its calculated columns (the catalogue switches it).
    bool catalogueCalculation = true;

private:
    std::vector<DataView*> views();
    void connectCascades();
    void strukturRowChanged();
    void htmlRowChanged();
    void sestSkRowChanged();
    void deleteSectionGoods();

    std::filesystem::path projectFolder_;
    bool cascadeSwitch_ = true;
    int cascadeHolds_ = 0;
    int refreshHolds_ = 0;
    bool goodsWithPrices_ = true;
    DataView* goodsWriter_; // the view ZBOZI_UPDATE takes its values from
};

} // namespace arkona::storage

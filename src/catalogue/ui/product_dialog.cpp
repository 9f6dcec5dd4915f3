#include "catalogue/ui/product_dialog.h"

#include "catalogue/product_editor.h"

namespace arkona::catalogue::ui {

ProductDialogResult TfrmProd::addRow(QWidget* parent, const ProductDialogContext& context,
                                     char typ) {
    TfrmProd dialog(context, std::make_unique<ProductEditor>(typ), parent);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.result();
}

ProductDialogResult TfrmProd::editRow(QWidget*, const ProductDialogContext&, std::uint32_t,
                                      const std::string&, int) {
    return {};
}

TfrmProd::TfrmProd(const ProductDialogContext& context, std::unique_ptr<ProductEditor> editor,
                   QWidget* parent)
    : QDialog(parent), context_(context), editor_(std::move(editor)) {
    setObjectName(QStringLiteral("frmProd"));
}

TfrmProd::~TfrmProd() = default;

} // namespace arkona::catalogue::ui

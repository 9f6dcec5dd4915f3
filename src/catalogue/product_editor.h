#pragma once

namespace arkona::catalogue {

// The rules of the row editor TfrmProd on one row of a product section, without a window.
class ProductEditor {
public:
    explicit ProductEditor(char typ) : typ_(typ) {}

    char typ() const { return typ_; }

private:
    char typ_;
};

} // namespace arkona::catalogue

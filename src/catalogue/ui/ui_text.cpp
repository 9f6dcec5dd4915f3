#include "catalogue/ui/ui_text.h"

#include "base/codepage.h"
#include "base/textcase.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace arkona::catalogue::ui {

QString toQt(const std::filesystem::path& path) {
    const std::u8string n = path.u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(n.data()),
                             static_cast<qsizetype>(n.size()));
}

std::filesystem::path fromQt(const QString& path) {
    const QByteArray utf8 = path.toUtf8();
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

QLabel* valueLabel(QWidget* parent, const char* name, int minimumWidth) {
    auto* l = named(new QLabel(parent), name);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(minimumWidth);
    l->setFrameShape(QFrame::StyledPanel);
    return l;
}

void focusLater(QWidget* target) {
    QTimer::singleShot(0, target, [target] {
        target->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(target)) {
            edit->selectAll();
        }
    });
}

bool fitsColumn(const QString& text, int bytes) {
    const std::string utf8 = text.toStdString();
    return text::canEncode(utf8) && text::fromUtf8(utf8).size() <= static_cast<size_t>(bytes);
}

QValidator::State ColumnValidator::validate(QString& input, int&) const {
    if (upperCase_) {
        const QString upper = q(text::toUpper(s(input)));
        if (upper.size() == input.size()) {
            input = upper;
        }
    }
    return fitsColumn(input, bytes_) ? Acceptable : Invalid;
}

} // namespace arkona::catalogue::ui

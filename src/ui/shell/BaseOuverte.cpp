#include "ui/shell/BaseOuverte.h"

#include <QVariant>
#include <QWidget>

namespace t3ui {

namespace {

constexpr char ProprieteBase[] = "t3base";

} // namespace

void MarqueBase(QWidget* fenetre, const t3::charg1* base) {
    if (fenetre) fenetre->setProperty(ProprieteBase, QVariant::fromValue(reinterpret_cast<quintptr>(base)));
}

const t3::charg1* BaseDeFenetre(const QObject* fenetre) {
    return fenetre ? reinterpret_cast<const t3::charg1*>(fenetre->property(ProprieteBase).value<quintptr>())
                   : nullptr;
}

} // namespace t3ui

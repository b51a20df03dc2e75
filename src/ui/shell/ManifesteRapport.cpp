#include "ui/shell/ManifesteRapport.h"

#include "engine/Globaux.h"
#include "engine/corpus/charg1.h"
#include "engine/socle/Cp1252.h"

#include <QtGlobal>

namespace t3ui {

t3::Manifeste ManifesteBase(const t3::charg1* base, const QDateTime& date) {
    t3::Manifeste manifeste;
    manifeste.entete = {{"Programme", std::string("Tessaron3 ") + T3_VERSION},
                        {"Date", date.toString(Qt::ISODate).toStdString()}};
    if (base)
        manifeste.parametres.push_back(
            {"Délimiteurs", t3::Cp1252VersUtf8(t3::DelimiteursBase(base->CheminFichier(".par")))});
    manifeste.parametres.push_back({"MAXART", std::to_string(t3::Options.Maxart)});
    manifeste.parametres.push_back({"Nombre d'étiquettes", std::to_string(t3::Options.NbEtiquettes)});
    if (base) t3::AjouteFichiersBase(manifeste, *base);
    manifeste.bibliotheques = t3::VersionsMoteur();
    manifeste.bibliotheques.push_back({"Qt", qVersion()});
    return manifeste;
}

} // namespace t3ui

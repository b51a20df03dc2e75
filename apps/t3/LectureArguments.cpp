#include "LectureArguments.h"

#include <algorithm>
#include <charconv>

namespace t3cli {

t3::Echec Faute(std::string message) {
    return t3::Echec{ArgumentFautif, std::move(message)};
}

bool LitEntier(std::string_view texte, int32_t& valeur) {
    const auto [fin, erreur] = std::from_chars(texte.data(), texte.data() + texte.size(), valeur);
    return !texte.empty() && erreur == std::errc() && fin == texte.data() + texte.size();
}

OptionCommande Drapeau(std::string_view nom, bool& drapeau) {
    return {std::string(nom), [&drapeau](const std::string&) {
                drapeau = true;
                return Lu();
            }};
}

Lu LitEntierEntre(std::string_view nom, const std::string& valeur, int32_t& entier, int32_t minimum,
                  int32_t maximum) {
    if (LitEntier(valeur, entier) && entier >= minimum && entier <= maximum) return {};
    const std::string bornes = maximum == std::numeric_limits<int32_t>::max()
                                   ? "au moins égal à " + std::to_string(minimum)
                                   : "de " + std::to_string(minimum) + " à " + std::to_string(maximum);
    return Faute("la valeur de --" + std::string(nom) + " doit être un nombre entier " + bornes + " : " +
                 valeur);
}

OptionCommande OptionEntier(std::string_view nom, int32_t& entier, int32_t minimum, int32_t maximum) {
    return {std::string(nom) + "=",
            [nom = std::string(nom), &entier, minimum, maximum](const std::string& valeur) {
                return LitEntierEntre(nom, valeur, entier, minimum, maximum);
            }};
}

bool Remplit(std::string& champ, const std::string& mot) {
    if (!champ.empty()) return false;
    champ = mot;
    return true;
}

Lu LitArguments(const Arguments& args, const std::vector<OptionCommande>& options,
                const std::function<bool(const std::string& mot)>& mot, bool motEnTirets) {
    for (const std::string& a : args) {
        const auto option = std::find_if(options.begin(), options.end(), [&a](const OptionCommande& o) {
            const std::string forme = "--" + o.nom;
            return o.nom.ends_with('=') ? a.starts_with(forme) : a == forme;
        });
        if (option != options.end()) {
            // The value follows "--nom="; an option alone has none.
            if (Lu lu = option->lire(a.substr(2 + option->nom.size())); !lu) return lu;
        } else if ((a.starts_with("--") && !motEnTirets) || !mot(a)) {
            return t3::Echec{ArgumentInattendu, "argument inattendu : " + a};
        }
    }
    return {};
}

Lu LitArgumentsTableau(const Arguments& args, std::vector<OptionCommande> options, FormatTableau& format,
                       const std::function<bool(const std::string& mot)>& mot, bool motEnTirets) {
    options.push_back(Drapeau("csv", format.csv));
    options.push_back(Drapeau("bom", format.bom));
    if (Lu lu = LitArguments(args, options, mot, motEnTirets); !lu) return lu;
    if (format.bom && !format.csv) return Faute("--bom ne va qu'avec --csv.");
    return {};
}

} // namespace t3cli

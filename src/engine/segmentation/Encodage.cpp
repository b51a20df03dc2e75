#include "engine/segmentation/Encodage.h"

#include "engine/socle/Cp1252.h"
#include "engine/socle/TaillesTampons.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace t3 {

const char* LibelleEncodage(Encodage encodage) {
    switch (encodage) {
    case Encodage::Auto:
        return "automatique";
    case Encodage::Cp1252:
        return "Windows-1252";
    case Encodage::Utf8:
        return "UTF-8";
    }
    return "?";
}

bool LitEncodage(std::string_view nom, Encodage& encodage) {
    if (nom == "auto")
        encodage = Encodage::Auto;
    else if (nom == "cp1252" || nom == "windows-1252")
        encodage = Encodage::Cp1252;
    else if (nom == "utf8" || nom == "utf-8")
        encodage = Encodage::Utf8;
    else
        return false;
    return true;
}

bool LuEnUtf8(bool marque, bool multiOctets, int64_t nonUtf8, int64_t octets) {
    return marque || (multiOctets && !TropDOctetsNonUtf8(nonUtf8, octets));
}

bool TropDOctetsNonUtf8(int64_t nonUtf8, int64_t taille) {
    return nonUtf8 > 1 && nonUtf8 * 1000 > taille;
}

size_t DetecteurUtf8::Avance(std::string_view t, bool fin) {
    if (m_debut) {
        m_marque = t.substr(0, MarqueOrdreUtf8.size()) == MarqueOrdreUtf8;
        m_debut = false;
    }
    if (Invalide()) return t.size();
    size_t i = ProchainNonAscii(t, 0);
    for (; i < t.size(); i = ProchainNonAscii(t, i)) {
        char32_t u;
        const size_t n = DecodeUtf8(t, i, u);
        if (n > 0) {
            m_multiOctets = true;
            i += n;
            continue;
        }
        const size_t attendus = LongueurSequenceUtf8(static_cast<unsigned char>(t[i]));
        if (!fin && attendus > 0 && i + attendus > t.size()) break; // cut by the end of the piece
        ++m_nonUtf8;
        ++i;
    }
    m_octets += static_cast<int64_t>(i);
    return i;
}

Encodage DetecteurUtf8::Verdict() const {
    return LuEnUtf8(m_marque, m_multiOctets, m_nonUtf8, m_taille >= 0 ? m_taille : m_octets)
               ? Encodage::Utf8
               : Encodage::Cp1252;
}

Encodage DetecteEncodageTexte(std::string_view texte) {
    DetecteurUtf8 detecteur;
    detecteur.Avance(texte, true);
    return detecteur.Verdict();
}

Encodage DetecteEncodage(const std::string& chemin) {
    // A device or a pipe is not read: it may never end, and its readers refuse it anyway.
    std::error_code erreur;
    if (!std::filesystem::is_regular_file(chemin, erreur)) return Encodage::Cp1252;
    std::FILE* f = std::fopen(chemin.c_str(), "rb");
    if (!f) return Encodage::Cp1252;
    const size_t taille = TailleTamponLecture;
    std::unique_ptr<char[]> tampon(new char[taille]);
    std::error_code e;
    const auto octets = std::filesystem::file_size(chemin, e);
    DetecteurUtf8 detecteur(e ? -1 : static_cast<int64_t>(octets));
    size_t reste = 0;
    bool fin = false;
    while (!fin && !detecteur.Invalide()) {
        const size_t lus = std::fread(tampon.get() + reste, 1, taille - reste, f);
        fin = lus < taille - reste;
        const size_t n = reste + lus;
        const size_t lu = detecteur.Avance(std::string_view(tampon.get(), n), fin);
        reste = n - lu;
        std::memmove(tampon.get(), tampon.get() + lu, reste);
    }
    const bool illisible = std::ferror(f) != 0;
    std::fclose(f);
    return illisible ? Encodage::Cp1252 : detecteur.Verdict();
}

Encodage EncodageRetenu(const std::string& chemin, Encodage demande) {
    return demande == Encodage::Auto ? DetecteEncodage(chemin) : demande;
}

} // namespace t3

#include "FabriqueDocuments.h"

#include "AideTests.h"

#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <unistd.h>
#include <zip.h>

namespace t3test {

void EcritArchive(const std::filesystem::path& chemin,
                  const std::vector<std::pair<std::string, std::string>>& parties) {
    int code = 0;
    zip_t* archive = zip_open(chemin.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) throw std::runtime_error("zip_open");
    for (const auto& [nom, contenu] : parties) {
        zip_source_t* source = zip_source_buffer(archive, contenu.data(), contenu.size(), 0);
        if (!source || zip_file_add(archive, nom.c_str(), source, ZIP_FL_ENC_UTF_8) < 0)
            throw std::runtime_error("zip_file_add");
    }
    if (zip_close(archive) != 0) throw std::runtime_error("zip_close");
}

void EcritDocx(const std::filesystem::path& chemin, const std::string& corps) {
    EcritArchive(chemin,
                 {{"[Content_Types].xml", "<?xml version=\"1.0\"?><Types/>"},
                  {"word/document.xml",
                   "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
                   "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\" "
                   "xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\"><w:body>" +
                       corps + "</w:body></w:document>"}});
}

void EcritOdt(const std::filesystem::path& chemin, const std::string& corps) {
    EcritArchive(
        chemin,
        {{"mimetype", "application/vnd.oasis.opendocument.text"},
         {"content.xml",
          "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<office:document-content xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
          "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
          "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
          "xmlns:draw=\"urn:oasis:names:tc:opendocument:xmlns:drawing:1.0\">"
          "<office:automatic-styles><text:p>style</text:p></office:automatic-styles>"
          "<office:body><office:text>" +
              corps + "</office:text></office:body></office:document-content>"}});
}

namespace {

void Pose16(std::string& s, size_t pos, uint16_t v) {
    s[pos] = static_cast<char>(v & 0xFF);
    s[pos + 1] = static_cast<char>(v >> 8);
}
void Pose32(std::string& s, size_t pos, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        s[pos + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// One entry of the directory of a compound file.
std::string Entree(const std::u16string& nom, uint8_t type, uint32_t gauche, uint32_t droite, uint32_t enfant,
                   uint32_t secteur, uint32_t taille) {
    std::string e(128, '\0');
    for (size_t i = 0; i < nom.size(); ++i)
        Pose16(e, 2 * i, nom[i]);
    Pose16(e, 64, nom.empty() ? 0 : static_cast<uint16_t>(2 * nom.size() + 2));
    e[66] = static_cast<char>(type);
    e[67] = 1; // black
    Pose32(e, 68, gauche);
    Pose32(e, 72, droite);
    Pose32(e, 76, enfant);
    Pose32(e, 116, secteur);
    Pose32(e, 120, taille);
    return e;
}

} // namespace

void EcritDocWord97(const std::filesystem::path& chemin, const std::u16string& texte) {
    constexpr uint32_t Fin = 0xFFFFFFFE, Libre = 0xFFFFFFFF, SecteurFat = 0xFFFFFFFD;
    constexpr size_t TailleFlux = 4096, DebutTexte = 0x400, PosClx = 0x100, PosStyles = 0x200;
    if (DebutTexte + 2 * texte.size() > TailleFlux) throw std::runtime_error("texte trop long");

    // The WordDocument stream: the file information block, then the text in UTF-16.
    std::string document(TailleFlux, '\0');
    Pose16(document, 0x00, 0xA5EC);              // Word document
    Pose16(document, 0x02, 0x00C1);              // Word 97
    Pose16(document, 0x06, 0x040C);              // French
    Pose16(document, 0x0A, (1 << 2) | (1 << 9)); // complex (a piece table), in the 1Table stream
    Pose16(document, 0x0C, 0x00BF);
    Pose32(document, 0x18, DebutTexte);
    Pose32(document, 0x1C, static_cast<uint32_t>(DebutTexte + 2 * texte.size()));
    Pose16(document, 0x20, 14);
    Pose16(document, 0x3E, 22);
    Pose32(document, 0x40, static_cast<uint32_t>(DebutTexte + 2 * texte.size()));
    Pose32(document, 0x4C, static_cast<uint32_t>(texte.size())); // characters of the main text
    Pose16(document, 0x98, 0x5D);
    Pose32(document, 0x9A + 8, PosStyles); // the style sheet
    Pose32(document, 0x9A + 12, 2 + 18);
    Pose32(document, 0x1A2, PosClx); // the piece table
    Pose32(document, 0x1A6, 1 + 4 + 16);
    for (size_t i = 0; i < texte.size(); ++i)
        Pose16(document, DebutTexte + 2 * i, texte[i]);

    // The 1Table stream: one piece covering the whole text, and the style sheet.
    std::string table(TailleFlux, '\0');
    table[PosClx] = 2;
    Pose32(table, PosClx + 1, 16);
    Pose32(table, PosClx + 5, 0);
    Pose32(table, PosClx + 9, static_cast<uint32_t>(texte.size()));
    Pose32(table, PosClx + 15, DebutTexte);

    // A style sheet without styles (antiword reads past the end of an absent one).
    Pose16(table, PosStyles, 18);
    Pose16(table, PosStyles + 4, 10);

    // The compound file: header, one FAT sector, one directory sector, then the two streams (8 sectors
    // each, long enough to stay out of the mini stream).
    std::string entete(512, '\0');
    entete.replace(0, 8, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
    Pose16(entete, 0x18, 0x3E);
    Pose16(entete, 0x1A, 3);
    Pose16(entete, 0x1C, 0xFFFE);
    Pose16(entete, 0x1E, 9);
    Pose16(entete, 0x20, 6);
    Pose32(entete, 0x2C, 1); // FAT sectors
    Pose32(entete, 0x30, 1); // first directory sector
    Pose32(entete, 0x38, 4096);
    Pose32(entete, 0x3C, Fin);
    Pose32(entete, 0x44, Fin);
    Pose32(entete, 0x4C, 0); // the FAT is sector 0
    for (int i = 1; i < 109; ++i)
        Pose32(entete, 0x4C + 4 * i, Libre);

    std::string fat(512, '\xFF');
    Pose32(fat, 0, SecteurFat);
    Pose32(fat, 4, Fin);
    for (uint32_t s = 2; s < 18; ++s)
        Pose32(fat, 4 * s, s == 9 || s == 17 ? Fin : s + 1);

    std::string repertoire = Entree(u"Root Entry", 5, Libre, Libre, 1, Fin, 0) +
                             Entree(u"WordDocument", 2, 2, Libre, Libre, 2, TailleFlux) +
                             Entree(u"1Table", 2, Libre, Libre, Libre, 10, TailleFlux) +
                             Entree(u"", 0, Libre, Libre, Libre, 0, 0);
    EcritFichier(chemin, entete + fat + repertoire + document + table);
}

bool ProgrammeInstalle(const std::string& nom) {
    const char* path = std::getenv("PATH");
    std::string reste = path ? path : "";
    for (size_t debut = 0; debut <= reste.size();) {
        size_t fin = reste.find(':', debut);
        if (fin == std::string::npos) fin = reste.size();
        const std::string dossier = reste.substr(debut, fin - debut);
        if (!dossier.empty() && ::access((dossier + "/" + nom).c_str(), X_OK) == 0) return true;
        debut = fin + 1;
    }
    return false;
}

} // namespace t3test

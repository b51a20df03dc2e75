// The readers of word-processor documents on arbitrary bytes. The first byte of the input chooses how
// the rest becomes a document:
//   bits 0-1: 0 the rest as a ".docx" file, 1 as an ".odt" file, byte for byte;
//             2 a zip archive whose "word/document.xml" is the rest, 3 one whose "content.xml" is the rest
//             (a part after a "\n@@\n" line goes to the other name, so that the archive holds both);
//   bit 2:    the format expected is the other one;
//   bit 3:    the parts of the archive are compressed.
// A compound file (an older Word document) would be handed to antiword: such inputs are passed over.
// The reader answers with paragraphs and no message, or with a message and no paragraph; every
// paragraph is UTF-8 and makes one line of the corpus.
#include "AideFuzz.h"

#include "engine/segmentation/LecteurDocument.h"

#include <cstdlib>
#include <string>
#include <vector>
#include <zip.h>

using namespace t3;

namespace {

bool EstUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        size_t suite;
        uint32_t point;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c < 0xE0) {
            suite = 1, point = c & 0x1F;
        } else if (c >= 0xE0 && c < 0xF0) {
            suite = 2, point = c & 0x0F;
        } else if (c >= 0xF0 && c < 0xF5) {
            suite = 3, point = c & 0x07;
        } else {
            return false;
        }
        if (i + suite >= s.size()) return false;
        for (size_t k = 1; k <= suite; ++k) {
            const unsigned char d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            point = point << 6 | (d & 0x3F);
        }
        if ((suite == 2 && point < 0x800) || (suite == 3 && (point < 0x10000 || point > 0x10FFFF)) ||
            (point >= 0xD800 && point < 0xE000))
            return false;
        i += suite + 1;
    }
    return true;
}

void EcritArchive(const std::string& chemin,
                  const std::vector<std::pair<const char*, std::string_view>>& parties, bool compresse) {
    int code = 0;
    zip_t* archive = zip_open(chemin.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    VERIFIE(archive != nullptr, "zip_open");
    for (const auto& [nom, contenu] : parties) {
        zip_source_t* source = zip_source_buffer(archive, contenu.data(), contenu.size(), 0);
        VERIFIE(source != nullptr, "zip_source_buffer");
        const zip_int64_t index = zip_file_add(archive, nom, source, ZIP_FL_OVERWRITE);
        VERIFIE(index >= 0, "zip_file_add");
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                 compresse ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 1);
    }
    VERIFIE(zip_close(archive) == 0, zip_strerror(archive));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // No external program may run, whatever the bytes say.
    ::setenv("PATH", "/nonexistent", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    if (taille == 0) return 0;
    const unsigned choix = donnees[0];
    const std::string_view reste(reinterpret_cast<const char*>(donnees) + 1, taille - 1);
    const unsigned mode = choix & 3;
    const bool autreFormat = (choix & 4) != 0;
    const bool compresse = (choix & 8) != 0;
    const bool word = mode == 0 || mode == 2;
    const FormatDocument attendu =
        (word != autreFormat) ? FormatDocument::WordXml : FormatDocument::OpenDocument;

    t3fuzz::DansDossierPrive dossier;
    const std::string chemin = word ? "doc.docx" : "doc.odt";
    if (mode < 2) {
        if (reste.substr(0, 8) == std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)) return 0;
        t3fuzz::EcritFichier(chemin, reste);
    } else {
        const std::vector<std::string_view> parties = t3fuzz::Decoupe(reste, "\n@@\n", 2);
        const char* principale = word ? "word/document.xml" : "content.xml";
        const char* autre = word ? "content.xml" : "word/document.xml";
        std::vector<std::pair<const char*, std::string_view>> contenu = {{principale, parties[0]}};
        if (parties.size() > 1) contenu.push_back({autre, parties[1]});
        EcritArchive(chemin, contenu, compresse);
    }

    const Resultat<std::vector<std::string>> lus = LitParagraphes(chemin, attendu);
    VERIFIE(lus || !lus.Message().empty(), "a document not read without a message");
    if (!lus) return 0;
    const std::vector<std::string>& paragraphes = *lus;
    for (size_t i = 0; i < paragraphes.size(); ++i) {
        const std::string& p = paragraphes[i];
        VERIFIE(EstUtf8(p), "paragraph " + std::to_string(i) + " is not UTF-8");
        VERIFIE(p.find('\n') == std::string::npos, "paragraph " + std::to_string(i) + " holds a line feed");
    }
    return 0;
}

#pragma once
// A corpus text as the key verification and the segmentation read it: the user's file itself when it is
// in Windows-1252, or, when it is in UTF-8, its transcoding to Windows-1252 in a temporary file of the
// current folder (of the temporary folder when the current one refuses it), removed with the object. The
// user's file is only ever read.
#include "engine/segmentation/Encodage.h"
#include "engine/segmentation/TranscodeurUtf8.h"
#include "engine/socle/Temporaires.h"

#include <cstdio>
#include <string>

namespace t3 {

class TexteCorpus {
  public:
    // Reads nothing yet: Prepare does.
    TexteCorpus(std::string chemin, Encodage demande = Encodage::Auto);
    ~TexteCorpus();
    TexteCorpus(const TexteCorpus&) = delete;
    TexteCorpus& operator=(const TexteCorpus&) = delete;

    // Decides the encoding and transcodes a UTF-8 text; false, with the system's error number in
    // Erreur(), when the transcoding cannot be read or written whole. A file that cannot be read at all
    // is left to its readers, which say so in their own terms: Prepare succeeds.
    bool Prepare();
    int Erreur() const { return m_erreur; }

    // The user's path, which names the base and is quoted in the trace.
    const std::string& Chemin() const { return m_chemin; }
    // The path of what is read: the user's file, or its transcoding.
    const std::string& CheminLu() const { return Transcode() ? m_temporaire.Chemin() : m_chemin; }
    Encodage EncodageLu() const { return m_encodage; }
    bool Transcode() const { return !m_temporaire.Chemin().empty(); }
    const RapportRemplacements& Rapport() const { return m_rapport; }
    // Why a text that holds UTF-8 characters was detected as Windows-1252 (French, UTF-8); empty
    // otherwise.
    const std::string& RaisonCp1252() const { return m_raisonCp1252; }

  private:
    bool Transcode(std::FILE* entree);

    std::string m_chemin;
    Encodage m_encodage;
    FichierTemporaire m_temporaire;
    RapportRemplacements m_rapport;
    std::string m_raisonCp1252;
    int m_erreur = 0;
};

// The French message about a failed transcoding ("le disque est plein").
std::string MessageTranscodage(const TexteCorpus& texte);

} // namespace t3

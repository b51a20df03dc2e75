// A seeded generator of a French-looking corpus in Windows-1252 for the benchmarks: Zipf-distributed
// forms (accented letters, elisions, capitals at sentence starts), punctuation, line breaks, a key
// <auteur=...> of about 20 contents and a key <parag=N> every 200 words, or every MOTS words with
// --parag=MOTS (an author key still every 4,000 words).
// Usage: gencorpus MEGAOCTETS SORTIE [GRAINE] [--parag=MOTS]
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int Vocabulaire = 600000;

// A word for each rank: short words for frequent ranks, longer and more varied ones further down.
std::string MotDuRang(int rang) {
    static const char* const syllabes[] = {
        "le",   "la",   "de",   "pa",    "ri",     "mo",     "tu",  "\xE9t\xE9", "con",
        "tre",  "ment", "tion", "er",    "\xE8re", "ai",     "ou",  "ch",        "an",
        "in",   "qu",   "\xE0", "\xEAt", "for",    "pr\xE9", "sa",  "vi",        "lo",
        "ne",   "\xE7", "ge",   "au",    "eau",    "oi",     "gn",  "ill",       "\xE9",
        "\xE2", "\xEE", "\xF4", "\xFB",  "ble",    "tes",    "ons", "ez",        "ent"};
    constexpr int n = sizeof syllabes / sizeof syllabes[0];
    std::mt19937 alea(static_cast<uint32_t>(rang) * 2654435761u + 12345u);
    const int longueur = 1 + (rang > 30) + (rang > 800) + (rang > 20000) + static_cast<int>(alea() % 2);
    std::string mot;
    for (int i = 0; i < longueur; ++i)
        mot += syllabes[alea() % n];
    if (rang > 1000 && alea() % 40 == 0)
        mot[0] = static_cast<char>(mot[0] == '\xE9' ? '\xC9' : std::toupper(mot[0]));
    return mot;
}

} // namespace

int main(int argc, char** argv) {
    // The words of a paragraph: the option may come anywhere after the two first arguments.
    int64_t motsParag = 200;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--parag=", 8) == 0)
            motsParag = std::max<int64_t>(1, std::atoll(argv[i] + 8));
        else
            args.push_back(argv[i]);
    }
    argc = static_cast<int>(args.size());
    argv = args.data();
    if (argc < 3) {
        std::fprintf(stderr, "usage : gencorpus MEGAOCTETS SORTIE [GRAINE] [--parag=MOTS]\n");
        return 2;
    }
    const int64_t cible = static_cast<int64_t>(std::atof(argv[1]) * 1000 * 1000);
    std::FILE* sortie = std::fopen(argv[2], "wb");
    if (!sortie) {
        std::fprintf(stderr, "gencorpus : %s ne peut être créé\n", argv[2]);
        return 2;
    }
    std::mt19937_64 alea(argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 20261208);

    std::vector<std::string> mots(Vocabulaire);
    for (int r = 0; r < Vocabulaire; ++r)
        mots[r] = MotDuRang(r);
    std::vector<double> cumul(Vocabulaire);
    double somme = 0;
    for (int r = 0; r < Vocabulaire; ++r)
        cumul[r] = somme += 1.0 / std::pow(r + 1.0, 1.05);
    std::uniform_real_distribution<double> uniforme(0, somme);
    const auto tireMot = [&] {
        return static_cast<int>(std::lower_bound(cumul.begin(), cumul.end(), uniforme(alea)) - cumul.begin());
    };
    static const char* const elisions[] = {"l'", "d'", "qu'", "n'", "s'", "j'"};
    static const char* const ponctuations[] = {",", ",", ",", ";", ":", "(", ")", "-"};
    static const char* const fins[] = {".", ".", ".", ".", "!", "?", "..."};

    std::string tampon;
    int64_t ecrits = 0;
    int64_t nbMots = 0, parag = 0;
    bool debutPhrase = true;
    while (ecrits < cible) {
        if (nbMots % 4000 == 0) tampon += "\n<auteur=auteur" + std::to_string(alea() % 20) + ">";
        if (nbMots % motsParag == 0) tampon += "\n<parag=" + std::to_string(++parag) + ">\n";
        if (alea() % 12 == 0) tampon += elisions[alea() % 6];
        std::string mot = mots[tireMot()];
        if (debutPhrase && mot[0] >= 'a' && mot[0] <= 'z') mot[0] = static_cast<char>(mot[0] - 32);
        tampon += mot;
        ++nbMots;
        debutPhrase = false;
        const uint64_t tirage = alea() % 100;
        if (tirage < 8) {
            tampon += fins[alea() % 7];
            debutPhrase = true;
        } else if (tirage < 16) {
            tampon += ponctuations[alea() % 8];
        }
        tampon += alea() % 18 == 0 ? '\n' : ' ';
        if (tampon.size() > (1 << 16)) {
            std::fwrite(tampon.data(), 1, tampon.size(), sortie);
            ecrits += static_cast<int64_t>(tampon.size());
            tampon.clear();
        }
    }
    std::fwrite(tampon.data(), 1, tampon.size(), sortie);
    std::fclose(sortie);
    std::fprintf(stderr, "gencorpus : %lld mots, %lld paragraphes\n", static_cast<long long>(nbMots),
                 static_cast<long long>(parag));
    return 0;
}

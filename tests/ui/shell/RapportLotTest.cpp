// The batch report: tessaron3 --rapport run as a user runs it, its index, its manifest checked against
// hashes computed here, and a second run that must give the same files.
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Sortie {
    int statut = -1;
    QString erreurs;
};

Sortie Lance(const QStringList& arguments) {
    QProcess programme;
    programme.start(T3_TESSARON3, arguments);
    programme.waitForFinished(300000);
    return {programme.exitStatus() == QProcess::NormalExit ? programme.exitCode() : -1,
            QString::fromUtf8(programme.readAllStandardError())};
}

QByteArray Contenu(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every file under dossier, by its path inside it.
QStringList Fichiers(const QString& dossier) {
    QStringList noms;
    QDirIterator it(dossier, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        noms << QDir(dossier).relativeFilePath(it.next());
    noms.sort();
    return noms;
}

// The lines of a text file that may change from run to run: the date, the command and the output folder.
// Pictures are compared whole.
QByteArray Masque(const QByteArray& contenu, const QString& dossier, const QString& fichier) {
    if (!fichier.contains(QRegularExpression("\\.(html?|txt|csv)$"))) return contenu;
    static const QRegularExpression date("Date|Commande|\\d\\d:\\d\\d");
    QList<QByteArray> lignes = contenu.split('\n');
    for (QByteArray& ligne : lignes)
        if (ligne.contains(dossier.toUtf8()) || date.match(QString::fromLatin1(ligne)).hasMatch())
            ligne = "*";
    return lignes.join('\n');
}

} // namespace

class RapportLotTest : public QObject {
    Q_OBJECT
  private slots:
    void PublieLeRapportEtSonManifesteALIdentique();
    void RefuseEnFrancais();
};

void RapportLotTest::PublieLeRapportEtSonManifesteALIdentique() {
    QTemporaryDir temp;
    const QString corpus = temp.filePath("corpus.txt");
    QVERIFY(QFile::copy(TEST_DATA_DIR "/stats_deux_auteurs.txt", corpus));
    const QString un = temp.filePath("un"), deux = temp.filePath("deux");
    const Sortie premiere = Lance({"--rapport", corpus, "--cle=auteur", "--dossier=" + un, "--afc"});
    QVERIFY2(premiere.statut == 0, qPrintable(premiere.erreurs));

    // Each page linked from the index exists, one of each kind at least.
    const QString index = QString::fromLatin1(Contenu(un + "/index.htm"));
    QStringList liens;
    for (const auto& lien : QRegularExpression("HREF=\"([^\"]+)\"").globalMatch(index))
        liens << lien.captured(1).replace('\\', '/');
    for (const QString& attendu : {"contenu/pclcauteur.html", "contenu/tfgauteur.html", "contenu/spf0.html",
                                   "contenu/spf1.html", "contenu/sr.html", "manifeste.htm"})
        QVERIFY2(liens.contains(attendu), qPrintable(attendu + " dans " + liens.join(' ')));
    for (const QString& prefixe :
         {"contenu/img-graphe-auteur", "contenu/img-afc-auteur", "contenu/img-afc-vp-", "contenu/img-cah-"})
        QVERIFY2(!liens.filter(prefixe).isEmpty(), qPrintable(prefixe));
    for (const QString& lien : liens)
        QVERIFY2(QFile::exists(un + "/" + lien), qPrintable(lien));
    // Each table as CSV, each picture as PNG beside its page.
    const QStringList fichiers = Fichiers(un);
    QVERIFY(fichiers.contains("contenu/tfgauteur.csv"));
    QCOMPARE(fichiers.filter(QRegularExpression("^contenu/img-.*\\.png$")).size(),
             fichiers.filter(QRegularExpression("^contenu/img-.*\\.jpg$")).size());

    // The manifest: its fields, and every file's size and SHA-256 as computed here.
    const QString manifeste = QString::fromUtf8(Contenu(un + "/manifeste.txt"));
    for (const QString& champ :
         {"Date : ", "Commande : ", "Délimiteurs : ", "MAXART : 100000", "Nombre d'étiquettes : 1",
          "Seuil (%) : 5", "FreqMin : 10", "ICU : ", "PCRE2 : ", "Eigen (ts3afc) : 3."})
        QVERIFY2(manifeste.contains("\n" + champ), qPrintable(champ));
    QVERIFY(manifeste.contains("\nQt : " + QString(qVersion()) + "\n"));
    const QRegularExpression ligneFichier(
        "\n(corpus|base \\.[a-z.]+) : (.+) ; (\\d+) octets ; SHA-256 ([0-9a-f]{64})");
    int hashes = 0;
    for (const auto& m : ligneFichier.globalMatch(manifeste)) {
        const QByteArray octets = Contenu(m.captured(2));
        QCOMPARE(m.captured(3).toLongLong(), octets.size());
        QCOMPARE(m.captured(4),
                 QString(QCryptographicHash::hash(octets, QCryptographicHash::Sha256).toHex()));
        ++hashes;
    }
    QCOMPARE(hashes, 6); // the corpus, .par, .dic, .num, .loc.sr, .desc.sr

    // A second run: the same files, the same bytes but for the date, the command and the folder.
    const Sortie seconde = Lance({"--rapport", corpus, "--cle=auteur", "--dossier=" + deux, "--afc"});
    QVERIFY2(seconde.statut == 0, qPrintable(seconde.erreurs));
    QCOMPARE(Fichiers(deux), fichiers);
    for (const QString& f : fichiers)
        QVERIFY2(Masque(Contenu(un + "/" + f), un, f) == Masque(Contenu(deux + "/" + f), deux, f),
                 qPrintable(f));
}

void RapportLotTest::RefuseEnFrancais() {
    const Sortie nombre = Lance({"--rapport", "absent.par", "--cle=auteur", "--seuil=cinq"});
    QCOMPARE(nombre.statut, 2);
    QVERIFY2(nombre.erreurs.contains("--seuil doit être un nombre entier"), qPrintable(nombre.erreurs));
    QTemporaryDir temp;
    const QString corpus = temp.filePath("corpus.txt");
    QVERIFY(QFile::copy(TEST_DATA_DIR "/stats_deux_auteurs.txt", corpus));
    const Sortie cle = Lance({"--rapport", corpus, "--cle=titre"});
    QCOMPARE(cle.statut, 1);
    QVERIFY2(cle.erreurs.contains("le type de clé « titre » n'existe pas"), qPrintable(cle.erreurs));
    const Sortie absente = Lance({"--rapport", temp.filePath("absent.par"), "--cle=auteur"});
    QCOMPARE(absente.statut, 1);
    QVERIFY2(absente.erreurs.contains("n'existe pas"), qPrintable(absente.erreurs));
}

QTEST_MAIN(RapportLotTest)
#include "RapportLotTest.moc"

#include "ui/shell/TexteQt.h"

#include "engine/socle/Cp1252.h"

#include <QFile>
#include <QStringList>

namespace t3ui {

QString VersQt(std::string_view cp1252) {
    const std::u16string u = t3::Cp1252VersUtf16(cp1252);
    return QString(reinterpret_cast<const QChar*>(u.data()), static_cast<qsizetype>(u.size()));
}

namespace {

// The mark shown for a character one cannot see, and its name for the hint; a null mark for the others.
struct Invisible {
    QChar marque;
    const char* nom;
};

Invisible InvisibleDe(QChar c) {
    if (c == QChar(0x00A0)) return {QChar(0x2423), "espace insécable"};
    if (c == QChar(0x00AD)) return {QChar(0x00AC), "trait d'union conditionnel"};
    if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0))
        return {QChar(0x25A1), "caractère de contrôle"};
    return {QChar(), nullptr};
}

} // namespace

QString MarqueInvisibles(QString texte) {
    for (QChar& c : texte)
        if (const Invisible i = InvisibleDe(c); !i.marque.isNull()) c = i.marque;
    return texte;
}

QString VersQtVisible(std::string_view cp1252) {
    return MarqueInvisibles(VersQt(cp1252));
}

QString IndicationInvisibles(std::string_view cp1252) {
    return IndicationInvisibles(VersQt(cp1252));
}

QString IndicationInvisibles(const QString& texte) {
    QStringList noms;
    for (const QChar c : texte)
        if (const Invisible i = InvisibleDe(c); i.nom) {
            const QString nom = QString(i.marque) + " : " + QString::fromUtf8(i.nom);
            if (!noms.contains(nom)) noms << nom;
        }
    return noms.isEmpty() ? QString() : "Caractères invisibles marqués\n" + noms.join('\n');
}

QVariant GraphieAffichee(std::string_view cp1252, int role) {
    if (role == Qt::DisplayRole) return VersQtVisible(cp1252);
    if (role == Qt::ToolTipRole) {
        const QString indication = IndicationInvisibles(cp1252);
        return indication.isEmpty() ? QVariant() : QVariant(indication);
    }
    return {};
}

std::string VersCp1252(const QString& texte) {
    const QByteArray utf8 = texte.toUtf8();
    return t3::Utf8VersCp1252(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

std::string CheminLocal(const QString& chemin) {
    const QByteArray octets = QFile::encodeName(chemin);
    return std::string(octets.constData(), static_cast<size_t>(octets.size()));
}

QString CheminQt(const std::string& chemin) {
    return QFile::decodeName(QByteArray::fromStdString(chemin));
}

} // namespace t3ui

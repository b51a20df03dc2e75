#include "shell/TexteQt.h"

#include "segmentation/Cp1252.h"

#include <QFile>

namespace t3ui {

QString VersQt(std::string_view cp1252) {
    const std::u16string u = t3::Cp1252VersUtf16(cp1252);
    return QString(reinterpret_cast<const QChar*>(u.data()), static_cast<qsizetype>(u.size()));
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

#pragma once
// What the windows of an analysis share: where they are listed (under "AFC" of the partition's item in the
// navigation tree as "AFC (n)", "CAH (n)", so that the user brings them back from there), and how they add
// their picture to the report.
#include <QString>

#include <cstdint>
#include <string>

class QImage;
class QWidget;

namespace t3 {
class Partition;
}

namespace t3ui {

class RapportCourant;
class ServicesPlacement;

// The rubric of a partition that lists its factor plots and trees.
inline constexpr char RubriqueAFC[] = "AFC";

// Whether results read for the partition can be shown: not when the reader refused them (faute, its
// French message, not empty) nor when they hold more points than the partition has parts (results of
// another partition of the base, whose work folder they share, would name the wrong parts); the message
// is shown then.
bool ResultatsOuvrables(ServicesPlacement& services, const t3::Partition& partition, const std::string& faute,
                        int32_t nbPoints);

// The flags or colours of the partition changed: its other windows (statistics windows, factor plots)
// show them at once.
void MontreDrapeauxPartition(const t3::Partition* partition);

// Writes the picture as a JPEG file (quality 30) into the report's folder and adds it as an entry; a
// picture that could not be written is said so (French message) and not added. True when added.
bool AjouteImageAuRapport(RapportCourant& rapport, QWidget* fenetre, const QImage& image,
                          const QString& fichier, const QString& titre, const QString& commentaire,
                          const QString& parametres = {});

} // namespace t3ui

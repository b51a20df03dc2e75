#pragma once
// The corpus model of a run: the loaders of the bases opened so far (the open base's last), and every
// partition and section set built on the open base, each wrapped with what the windows attach to it.
#include "engine/corpus/InfoPartition.h"
#include "engine/corpus/InfoSection.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace t3 {

class charg1;

class Corpus {
  public:
    // Appends a loader (borrowed) after a successful load.
    void AjouteChargeur(charg1* base);
    int32_t NbChargeurs() const { return static_cast<int32_t>(m_chargeurs.size()); }
    charg1* Chargeur(int32_t i) const;
    // The open base's loader: the last one appended; null before any load.
    charg1* ChargeurCourant() const { return m_chargeurs.empty() ? nullptr : m_chargeurs.back(); }

    // What a base leaves behind when it is taken out: its partitions and section sets, which the caller
    // keeps as long as a window may still show them.
    struct Retrait {
        std::vector<std::unique_ptr<InfoPartition>> partitions;
        std::vector<std::unique_ptr<InfoSection>> sections;
    };
    // Takes out the loader with every partition and section set of its base.
    Retrait RetireChargeur(const charg1* base);

    // Takes the partition and returns true when no partition of its base by its key type is held yet;
    // otherwise returns false and leaves the partition with the caller, who discards it.
    bool AjoutePartition(std::unique_ptr<Partition>& partition);
    // The index of the held partition of the same base by the same key type; -1 if none.
    int32_t IndexPartition(const Partition* partition) const;
    int32_t NbPartitions() const { return static_cast<int32_t>(m_partitions.size()); }
    InfoPartition* InfoDePartition(int32_t i) const;
    Partition* PartitionNo(int32_t i) const;

    // Takes the section set and returns true when none of its base with the same delimiters in the same order
    // is held yet; otherwise false, the set staying with the caller.
    bool AjouteSection(std::unique_ptr<Section>& section);
    int32_t IndexSection(const Section* section) const;
    int32_t NbSections() const { return static_cast<int32_t>(m_sections.size()); }
    InfoSection* InfoDeSection(int32_t i) const;
    Section* SectionNo(int32_t i) const;

  private:
    std::vector<charg1*> m_chargeurs;
    std::vector<std::unique_ptr<InfoPartition>> m_partitions;
    std::vector<std::unique_ptr<InfoSection>> m_sections;
};

} // namespace t3

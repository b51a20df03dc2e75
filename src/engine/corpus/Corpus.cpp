#include "engine/corpus/Corpus.h"

#include "engine/corpus/Partition.h"
#include "engine/corpus/Section.h"

namespace t3 {

void Corpus::AjouteChargeur(charg1* base) {
    if (base) m_chargeurs.push_back(base);
}

charg1* Corpus::Chargeur(int32_t i) const {
    return i >= 0 && i < NbChargeurs() ? m_chargeurs[static_cast<size_t>(i)] : nullptr;
}

namespace {

// Moves the elements whose base is base from tenus to retires, the others keeping their order.
template <class Info, class Base>
void Deplace(std::vector<std::unique_ptr<Info>>& tenus, std::vector<std::unique_ptr<Info>>& retires,
             Base base) {
    auto reste = tenus.begin();
    for (auto& tenu : tenus)
        if (base(*tenu))
            retires.push_back(std::move(tenu));
        else
            *reste++ = std::move(tenu);
    tenus.erase(reste, tenus.end());
}

} // namespace

Corpus::Retrait Corpus::RetireChargeur(const charg1* base) {
    std::erase(m_chargeurs, base);
    Retrait retrait;
    Deplace(m_partitions, retrait.partitions,
            [base](const InfoPartition& info) { return info.GetPartition()->Base() == base; });
    Deplace(m_sections, retrait.sections,
            [base](const InfoSection& info) { return info.GetSection()->Base() == base; });
    return retrait;
}

bool Corpus::AjoutePartition(std::unique_ptr<Partition>& partition) {
    if (!partition || IndexPartition(partition.get()) >= 0) return false;
    m_partitions.push_back(std::make_unique<InfoPartition>(std::move(partition)));
    return true;
}

int32_t Corpus::IndexPartition(const Partition* partition) const {
    if (!partition) return -1;
    for (size_t i = 0; i < m_partitions.size(); ++i)
        if (const Partition* tenue = m_partitions[i]->GetPartition();
            tenue->Base() == partition->Base() && tenue->CleType() == partition->CleType())
            return static_cast<int32_t>(i);
    return -1;
}

InfoPartition* Corpus::InfoDePartition(int32_t i) const {
    return i >= 0 && i < NbPartitions() ? m_partitions[static_cast<size_t>(i)].get() : nullptr;
}

Partition* Corpus::PartitionNo(int32_t i) const {
    InfoPartition* info = InfoDePartition(i);
    return info ? info->GetPartition() : nullptr;
}

bool Corpus::AjouteSection(std::unique_ptr<Section>& section) {
    if (!section || IndexSection(section.get()) >= 0) return false;
    m_sections.push_back(std::make_unique<InfoSection>(std::move(section)));
    return true;
}

int32_t Corpus::IndexSection(const Section* section) const {
    if (!section) return -1;
    for (size_t i = 0; i < m_sections.size(); ++i)
        if (const Section* tenue = m_sections[i]->GetSection();
            tenue->Base() == section->Base() && tenue->Delimiteurs() == section->Delimiteurs())
            return static_cast<int32_t>(i);
    return -1;
}

InfoSection* Corpus::InfoDeSection(int32_t i) const {
    return i >= 0 && i < NbSections() ? m_sections[static_cast<size_t>(i)].get() : nullptr;
}

Section* Corpus::SectionNo(int32_t i) const {
    InfoSection* info = InfoDeSection(i);
    return info ? info->GetSection() : nullptr;
}

} // namespace t3

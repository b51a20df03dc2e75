#pragma once
// The hand-over of chunks between the thread that cuts the text and the one that looks its tokens up:
// a fixed set of chunks goes round, full ones to the lookups, free ones back to the cutting.
#include "engine/segmentation/DecoupeurTexte.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

namespace t3 {

class FileMorceaux {
  public:
    explicit FileMorceaux(size_t nombre) : m_morceaux(nombre) {
        for (Morceau& m : m_morceaux)
            m_libres.push_back(&m);
    }

    // The cutting side: a free chunk (waiting for one), or null once the lookups gave up.
    Morceau* PrendLibre() {
        std::unique_lock verrou(m_mutex);
        m_signal.wait(verrou, [&] { return !m_libres.empty() || m_abandon; });
        if (m_abandon) return nullptr;
        Morceau* m = m_libres.front();
        m_libres.pop_front();
        return m;
    }
    void Pousse(Morceau* m) {
        std::lock_guard verrou(m_mutex);
        m_pleins.push_back(m);
        m_signal.notify_all();
    }
    void Ferme() {
        std::lock_guard verrou(m_mutex);
        m_ferme = true;
        m_signal.notify_all();
    }

    // The lookup side: the next full chunk, or null once the cutting is over and every chunk was taken.
    Morceau* PrendPlein() {
        std::unique_lock verrou(m_mutex);
        m_signal.wait(verrou, [&] { return !m_pleins.empty() || m_ferme; });
        if (m_pleins.empty()) return nullptr;
        Morceau* m = m_pleins.front();
        m_pleins.pop_front();
        return m;
    }
    // Puts a chunk back among the free ones, behind those already there (either side).
    void Rend(Morceau* m) {
        std::lock_guard verrou(m_mutex);
        m_libres.push_back(m);
        m_signal.notify_all();
    }
    void Abandonne() {
        std::lock_guard verrou(m_mutex);
        m_abandon = true;
        m_signal.notify_all();
    }

  private:
    std::vector<Morceau> m_morceaux;
    std::deque<Morceau*> m_libres, m_pleins;
    std::mutex m_mutex;
    std::condition_variable m_signal;
    bool m_ferme = false;
    bool m_abandon = false;
};

} // namespace t3

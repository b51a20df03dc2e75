#pragma once
// The two shapes that the engine's entry points share: the outcome of a routine that may fail, and the
// progress callback of a long computation.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace t3 {

// Called about a hundred times by a long computation, from the calling thread; the argument says which
// stage is running (each computation documents its values). An empty callback is never called.
using Progression = std::function<void(int32_t)>;

// Why a routine failed: a code that the routine documents (never 0) and the French message (UTF-8)
// that the caller shows as it is.
struct Echec {
    int32_t code = 0;
    std::string message;
};

// A value, or the failure that stopped the routine from making one. Built from either, implicitly, so
// that a routine writes `return valeur;` or `return Echec{code, message};`.
template <typename T> class Resultat {
  public:
    Resultat(T valeur) : m_contenu(std::in_place_index<0>, std::move(valeur)) {}
    Resultat(Echec echec) : m_contenu(std::in_place_index<1>, std::move(echec)) {}

    bool Reussi() const { return m_contenu.index() == 0; }
    explicit operator bool() const { return Reussi(); }
    // The value; only when Reussi().
    const T& Valeur() const { return std::get<0>(m_contenu); }
    T& Valeur() { return std::get<0>(m_contenu); }
    const T& operator*() const { return Valeur(); }
    const T* operator->() const { return &Valeur(); }
    // 0 when Reussi(), the failure's code otherwise.
    int32_t Code() const { return Reussi() ? 0 : std::get<1>(m_contenu).code; }
    // Empty when Reussi().
    const std::string& Message() const {
        static const std::string vide;
        return Reussi() ? vide : std::get<1>(m_contenu).message;
    }

  private:
    std::variant<T, Echec> m_contenu;
};

// The outcome of a routine that makes no value: success, or a failure.
template <> class Resultat<void> {
  public:
    Resultat() = default;
    Resultat(Echec echec) : m_echec(std::move(echec)) {}

    bool Reussi() const { return !m_echec; }
    explicit operator bool() const { return Reussi(); }
    int32_t Code() const { return m_echec ? m_echec->code : 0; }
    const std::string& Message() const {
        static const std::string vide;
        return m_echec ? m_echec->message : vide;
    }

  private:
    std::optional<Echec> m_echec;
};

} // namespace t3

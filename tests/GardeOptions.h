#pragma once
// Saves the option settings (t3::Options) and puts them back when it goes, whatever the test changed or
// however it ended: a test that changes them must not change the tests that follow it in the program.
#include "engine/Globaux.h"

namespace t3test {

class GardeOptions {
  public:
    GardeOptions() : m_sauvees(t3::Options) {}
    ~GardeOptions() { t3::Options = m_sauvees; }
    GardeOptions(const GardeOptions&) = delete;
    GardeOptions& operator=(const GardeOptions&) = delete;

  private:
    t3::OptionsT3 m_sauvees;
};

} // namespace t3test

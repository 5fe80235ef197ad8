// The editor's page setup: margins and paper size kept in the settings store.
#pragma once

#include <cstdint>

class QPrinter;

namespace brindle {

class CSettingsStore;

// Values in thousandths of an inch, stored as DWORD values "PageWidth", "PageHeight",
// "PageLeft", "PageRight", "PageTop", "PageBottom" under "Software\RodeZor". A paper width or
// height of 0 leaves the printer's paper as it is.
struct SEdPageSetup {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t left = 1000;
    std::uint32_t right = 1000;
    std::uint32_t top = 1000;
    std::uint32_t bottom = 1000;

    // A missing value keeps its current one.
    void load(const CSettingsStore& store);
    void save(CSettingsStore& store) const;

    // Gives the printer these margins and, when known, this paper size.
    void applyTo(QPrinter& printer) const;
    // Takes margins and paper size from the printer (after its page setup dialog).
    void takeFrom(const QPrinter& printer);

    friend bool operator==(const SEdPageSetup&, const SEdPageSetup&) = default;
};

}  // namespace brindle

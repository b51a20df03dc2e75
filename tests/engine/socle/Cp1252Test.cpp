#include "engine/socle/Cp1252.h"

#include <gtest/gtest.h>

using namespace t3;

TEST(Cp1252, ConvertitLesOctetsDe80a9FEtLesLettresAccentuees) {
    EXPECT_EQ(Cp1252VersUtf8("\x80 \x92 \x9C \xE9t\xE9 \xA7"), "€ ’ œ été §");
    EXPECT_EQ(Utf8VersCp1252("€ ’ œ été §"), "\x80 \x92 \x9C \xE9t\xE9 \xA7");
    EXPECT_EQ(Cp1252VersUtf16("\x81\xFF"), std::u16string(u"\u0081\u00FF"));
}

TEST(Cp1252, GardeLesOctetsQuiNeSontPasDeLUtf8EtRemplaceLInexprimable) {
    EXPECT_EQ(Utf8VersCp1252("caf\xE9"), "caf\xE9"); // already Windows-1252
    EXPECT_EQ(Utf8VersCp1252("\xC3"), "\xC3");       // a sequence cut short
    EXPECT_EQ(Utf8VersCp1252("日本"), "??");
    std::string tous;
    for (int c = 1; c < 256; ++c)
        tous += static_cast<char>(c);
    // Every byte comes back unchanged, the five the code page leaves unassigned included.
    const std::string retour = Utf8VersCp1252(Cp1252VersUtf8(tous));
    EXPECT_EQ(retour, tous);
}

TEST(Cp1252, NommeLesCaracteresQuIlNePeutTenir) {
    EXPECT_EQ(HorsCp1252(".,€œ§"), "");
    EXPECT_EQ(HorsCp1252("→.←→Ω"), "→←Ω");
    EXPECT_EQ(HorsCp1252("\xE9t\xE9"), ""); // bytes already in Windows-1252 pass
}

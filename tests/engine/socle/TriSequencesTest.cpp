// The sort on packed keys gives the order of a plain sort of the sequences, whatever part of them the
// keys hold.
#include "engine/socle/TriSequences.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace t3;

TEST(TriSequences, MemeOrdreQueLeTriDesSequences) {
    std::mt19937 hasard(20240611);
    for (const int bits : {1, 3, 20, 32}) {
        // Few distinct codes and long sequences: many keys are equal and many sequences go on past them.
        const uint32_t codeMax = bits == 32 ? UINT32_MAX : std::min<uint32_t>((1u << bits) - 1, 3);
        std::vector<std::vector<uint32_t>> sequences(300);
        for (auto& s : sequences) {
            s.resize(hasard() % 90);
            for (uint32_t& code : s)
                code = 1 + hasard() % codeMax;
            if (hasard() % 3 == 0) s = sequences[hasard() % sequences.size()]; // a sequence met again
        }
        // Items repeated; an odd item's cursor tells its end with its last code, an even one's on its
        // first 0.
        std::vector<int32_t> items(2000);
        for (int32_t& item : items)
            item = static_cast<int32_t>(hasard() % sequences.size());
        struct Curseur {
            const std::vector<uint32_t>* s;
            size_t lu;
            bool fini;
            bool tot;
        };
        std::vector<int32_t> tries = items;
        TriSequences(
            tries.data(), static_cast<int32_t>(tries.size()), bits,
            [&](int32_t item) {
                return Curseur{&sequences[item], 0, false, item % 2 == 1};
            },
            [](Curseur& c) -> uint32_t {
                if (c.lu == c.s->size()) {
                    c.fini = true;
                    return 0;
                }
                const uint32_t code = (*c.s)[c.lu++];
                c.fini = c.tot && c.lu == c.s->size();
                return code;
            });
        std::sort(items.begin(), items.end(), [&](int32_t a, int32_t b) {
            return sequences[a] != sequences[b] ? sequences[a] < sequences[b] : a < b;
        });
        EXPECT_EQ(tries, items) << bits << " bits";
    }
}

#include "SudokuTechniqueExamples.h"

#include <stdexcept>

#include "sudoku/engine/SudokuCells.h"

namespace vum::examples {

using namespace sudoku_cells;

namespace {

// SudokuWiki's example positions as its pages show them, candidates included, row by row.
constexpr const char* WikiUniqueRectangle1 =
    "{79}{79}6324815" "85{23}691{24}7{34}" "{24}{234}1785{29}{369}{36}" "{1259}{129}4{59}3768{29}"
    "38{59}{59}62147" "{29}6741835{29}" "{24569}{249}{259}173{459}{69}8" "{579}{379}{359}846{59}21"
    "{146}{14}82597{36}{346}";
constexpr const char* WikiColouring =
    "{145}{15}7{25}836{149}{1249}" "{145}397{25}68{14}{124}" "826419753" "64{25}19{25}387"
    "{159}8{12}367{245}{149}{1459}" "{19}73{25}48{25}6{19}" "39{15}87{14}{45}26" "7649{25}{25}138"
    "2{15}863{14}97{45}";

}  // namespace

const std::vector<TechniqueExample>& Examples() {
    static const std::vector<TechniqueExample> examples{
        {SudokuTechnique::NakedSingle, "SudokuWiki, Getting Started (naked singles)",
         "246975138589316274371040695498621753132754986657830421724183569865492317913567842", {"r3c4=2"}},
        {SudokuTechnique::HiddenSingle, "HoDoKu, Singles (hodoku.sourceforge.net/en/tech_singles.php)",
         ".28..7....16.83.7.....2.85113729.......73........463.729..7.......86.14....3..7..", {}},
        {SudokuTechnique::LockedCandidates, "SudokuWiki, Intersection Removal (pointing)",
         ".179.36......8....9.....5.7.72.1.43....4.2.7..6437.25.7.1....65....3......56.172.", {}},
        {SudokuTechnique::LockedCandidates, "SudokuWiki, Intersection Removal (box/line reduction)",
         ".16..78.3.9.8.....87...126..48...3..65...9.82.39...65..6.9...2..8...29369246..51.", {}},
        {SudokuTechnique::NakedPair, "SudokuWiki, Naked Candidates, naked pairs",
         "4{16}{16}{125}{12567}{2567}938" "{78}32{58}941{56}{567}" "{178}953{1678}{67}24{67}"
         "37{18}6{258}9{58}{1258}4" "529{48}{48}1673" "6{18}47{258}3{58}9{125}" "957{124}{1246}83{126}{126}"
         "{18}{168}39{12567}{2567}4{12568}{1256}" "24{168}{15}3{56}7{1568}9",
         {"r1c4-1", "r1c5-16", "r1c6-6", "r3c1-17", "r3c5-67", "r4c5-8", "r4c8-58", "r6c5-8", "r6c9-5"}},
        {SudokuTechnique::HiddenPair, "SudokuWiki, Hidden Candidates, hidden pairs",
         "{1258}{1238}{23}{129}{12359}{59}{4589}{2345679}{345679}" "9{1238}46{1235}7{58}{235}{35}"
         "{25}768{2359}41{2359}{359}" "3{246}97{2456}1{45}8{456}" "7{246}8{29}{24569}{569}3{4569}1"
         "{46}513{469}87{469}2" "{48}{3489}75{89}261{349}" "{16}{169}54{1679}32{79}8"
         "{12468}{1234689}{23}{19}{16789}{69}{459}{34579}{34579}",
         {"r1c8-23459", "r1c9-3459"}},
        {SudokuTechnique::NakedTriple, "SudokuWiki, Naked Candidates, naked triples",
         ".7.4.8.29..2.....4854.2...7..83742...2.........32617......936122.....4.313.642.7.", {}},
        {SudokuTechnique::HiddenTriple, "SudokuWiki, Hidden Candidates, hidden triples",
         "9.15...46425.9..8186..1..2.5.2.......19...46.6.......2196.4.2532...6.817.....1694", {}},
        {SudokuTechnique::XWing, "SudokuWiki, X-Wing Strategy, example 1",
         "100000569492056108056109240009640801064010000218035604040500016905061402621000005", {}},
        {SudokuTechnique::Swordfish, "SudokuWiki, Sword-Fish Strategy",
         "52941{68}7{68}3" "{478}{148}6{59}{789}3{18}{14589}2" "{478}{148}32{789}{56}{189}{56}{1489}"
         "{48}523{89}{148}{189}76" "637{19}5{148}2{1489}{1489}" "19{48}62753{48}" "3{78}{158}{15}6942{178}"
         "2{47}{145}83{15}6{19}{179}" "96{18}7423{18}5",
         {"r2c2-8", "r2c8-8", "r3c2-8", "r3c9-8", "r4c6-8"}},
        {SudokuTechnique::XYWing, "HoDoKu, Wings, XY-Wing (hodoku.sourceforge.net/en/tech_wings.php)",
         "8..36.9....9.1.863.63.89..5924673158386951724571824396432196587698537......248639", {"r2c6-2"}},
        {SudokuTechnique::XYWing, "SudokuWiki, Y-Wing Strategy, example 1",
         "9{38}{1368}24{1378}{57}{58}{568}" "{478}5{48}69{78}231" "{13678}2{1368}{18}5{1378}{47}9{468}"
         "{1468}9{14568}7{16}{48}32{458}" "{148}{48}29356{148}7" "{13468}7{134568}{48}{16}29{1458}{458}"
         "{48}69{145}2{14}{1458}73" "51{348}{34}79{48}62" "2{34}7{1345}86{145}{45}9",
         {"r2c1-8", "r3c1-8", "r8c3-4"}},
        {SudokuTechnique::XYZWing, "SudokuWiki, XYZ-Wing",
         "{38}92{46}{48}175{346}" "5{134}{1467}2{47}{679}{346}{19}8" "{146}{148}{1467}{4569}3{56789}2{19}{46}"
         "{38}75{13}{128}496{12}" "2{38}{14}{139}6{89}{148}75" "{14}697{125}{258}{148}3{124}"
         "{146}{145}8{1456}9{567}{1356}2{1367}" "7{1245}{146}{1456}{1245}3{156}89" "9{125}38{1257}{2567}{156}4{167}",
         {"r6c7-1"}},
        {SudokuTechnique::NakedQuad, "SudokuWiki, Naked Candidates, naked quads",
         "....3..86....2..4..9..7852.3718562949..1423754..3976182..7.3859.392.54677..9.4132", {}},
        {SudokuTechnique::HiddenQuad, "SudokuWiki, Hidden Candidates, hidden quads",
         "65..87.24...649.5..4..25...57.438.61...5.1...31.9.2.85...89..1....213...13.75..98", {}},
        {SudokuTechnique::Jellyfish, "SudokuWiki, Jelly-Fish Strategy",
         "{249}{469}17538{2469}{269}" "{23489}5{23489}{12}{14}{246}{236}{2469}7" "7{346}{234}89{246}1{2456}{2356}"
         "{3489}{3489}{3489}6{23}157{28}" "625478931" "{38}179{23}54{268}{268}"
         "{123589}{389}{2389}{125}67{23}{2589}4" "{234589}7{23489}{25}{48}{24}{236}1{235689}"
         "{12458}{48}63{148}97{258}{258}",
         {"r2c1-2", "r2c8-2", "r3c8-2", "r3c9-2", "r7c1-2", "r7c8-2", "r8c1-2", "r8c9-2"}},
        {SudokuTechnique::UniqueRectangle, "SudokuWiki, Unique Rectangles, type 1", WikiUniqueRectangle1, {"r4c1-29"}},
        {SudokuTechnique::UniqueRectangle, "SudokuWiki, Unique Rectangles, type 2",
         "42{157}9{157}{157}386" "{135}6{135}2{1358}{158}794" "8{37}9{34}6{47}251" "7{14}{168}{468}{489}3{19}25"
         "9{45}{58}1{478}26{47}3" "2{134}{136}5{479}{4679}{19}{47}8" "{13}{139}4{38}2{89}567" "6827{15}{15}439"
         "{35}{579}{57}{346}{349}{469}812",
         {"r1c3-7", "r3c6-7"}},
        {SudokuTechnique::UniqueRectangle, "SudokuWiki, Unique Rectangles, type 4",
         "{79}{79}6324815" "85{23}691{24}7{34}" "{24}{234}1785{29}{369}{36}" "{15}{129}4{59}3768{29}"
         "38{59}{59}62147" "{29}6741835{29}" "{24569}{249}{259}173{459}{69}8" "{579}{379}{359}846{59}21"
         "{146}{14}82597{36}{346}",
         {"r8c1-9", "r8c2-9"}},
        {SudokuTechnique::BugPlusOne, "SudokuWiki, BUG",
         "174832596" "593461278" "682957{34}{34}1" "{28}675{12}{48}9{123}{34}" "{28}197{48}36{24}5"
         "435{12}968{12}7" "3{24}16{28}{48}759" "9{24}8{12}75{13}6{34}" "7563{14}9{14}82",
         {"r4c8=2"}},
        {SudokuTechnique::SimpleColouring, "SudokuWiki, Simple Colouring, rule 2 (a colour twice in a unit)",
         WikiColouring, {"r1c2-5", "r1c4-5", "r2c1-5", "r4c6-5", "r5c1-5", "r6c7-5", "r7c3-5", "r8c5-5", "r9c9-5"}},
        {SudokuTechnique::SimpleColouring, "SudokuWiki, Simple Colouring, rule 4 (a cell that sees both colours)",
         "{145}{15}7{25}836{149}{1249}" "{145}397{25}68{14}{124}" "826419753" "64{25}19{25}387"
         "{159}8{125}367{245}{149}{1459}" "{19}73{25}48{25}6{19}" "39{15}87{14}{45}26" "7649{25}{25}138"
         "2{15}863{14}97{45}",
         {"r5c1-5", "r5c3-5"}},
        {SudokuTechnique::XChain, "HoDoKu, Chains and Loops, X-Chain (hodoku.sourceforge.net/en/tech_chains.php)",
         "...35178.8576293411..874..25.91628.4681.4.2.......816.718....2.....1...8.6..8..17", {}},
        // The guide's position holds several XY-chains; the shortest takes the 2s.
        {SudokuTechnique::XYChain, "HoDoKu, Chains and Loops, XY-Chain (hodoku.sourceforge.net/en/tech_chains.php)",
         "361749528584...79.792.....4923574.8.416...357857631249678...4121452879..239416875",
         {"r2c5-2", "r5c6-2"}},
        // An alternating chain generalises the XY-chain: it finds the guide's XY-chain.
        {SudokuTechnique::AlternatingChain, "HoDoKu, Chains and Loops, XY-Chain, second example",
         "57.4.169.9482761536.....74...9...3.44...935.63.5...9.1254367819......265196528437",
         {"r1c5-8", "r3c5-8", "r4c4-8", "r5c4-8", "r6c4-8"}},
    };
    return examples;
}

namespace {

struct Parsed {
    SudokuGrid Digits{};
    std::array<DigitSet, 81> Shown{};  // the candidates given in braces, 0 for none given
};

Parsed Parse(const char* text) {
    Parsed parsed;
    for (auto& column : parsed.Digits) column.fill(-1);
    std::int32_t at = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        if (at >= 81) throw std::invalid_argument("more than 81 cells");
        const std::int32_t cell = CellAt(at % 9, at / 9);
        if (*c == '{') {
            DigitSet set = 0;
            for (++c; *c != '}'; ++c) {
                if (*c < '1' || *c > '9') throw std::invalid_argument("bad candidate");
                set |= DigitBit(*c - '0');
            }
            parsed.Shown[static_cast<std::size_t>(cell)] = set;
        } else if (*c >= '1' && *c <= '9') {
            parsed.Digits[at % 9][at / 9] = *c - '0';
        } else if (*c != '.' && *c != '0') {
            throw std::invalid_argument("bad cell");
        }
        ++at;
    }
    if (at != 81) throw std::invalid_argument("fewer than 81 cells");
    return parsed;
}

// Counts the completions of grid up to two, keeping the first.
std::int32_t Complete(SudokuGrid& grid, SudokuGrid& first, std::int32_t found = 0) {
    std::int32_t best = -1;
    DigitSet bestFree = 0;
    for (std::int32_t cell = 0; cell < 81; ++cell) {
        if (grid[ColumnOf(cell)][RowOf(cell)] > 0) continue;
        DigitSet free = AllDigits;
        for (std::int32_t other = 0; other < 81; ++other) {
            const std::int32_t digit = grid[ColumnOf(other)][RowOf(other)];
            const bool peer = ColumnOf(other) == ColumnOf(cell) || RowOf(other) == RowOf(cell) ||
                              (ColumnOf(other) / 3 == ColumnOf(cell) / 3 && RowOf(other) / 3 == RowOf(cell) / 3);
            if (digit > 0 && peer) free &= static_cast<DigitSet>(~DigitBit(digit));
        }
        if (best < 0 || DigitCount[free] < DigitCount[bestFree]) {
            best = cell;
            bestFree = free;
        }
    }
    if (best < 0) {
        if (found == 0) first = grid;
        return found + 1;
    }
    for (std::int32_t digit = 1; digit <= 9 && found < 2; ++digit) {
        if ((bestFree & DigitBit(digit)) == 0) continue;
        grid[ColumnOf(best)][RowOf(best)] = digit;
        found = Complete(grid, first, found);
    }
    grid[ColumnOf(best)][RowOf(best)] = -1;
    return found;
}

}  // namespace

SudokuCandidates PositionOf(const char* text) {
    const Parsed parsed = Parse(text);
    SudokuCandidates position(parsed.Digits);
    if (position.Broken()) throw std::invalid_argument("a digit repeats");
    SudokuStep shown;
    for (std::int32_t cell = 0; cell < 81; ++cell) {
        const DigitSet set = parsed.Shown[static_cast<std::size_t>(cell)];
        if (set == 0) continue;
        if ((set & ~position.Candidates(cell)) != 0) throw std::invalid_argument("a shown candidate is ruled out");
        shown.Removals.push_back({cell, static_cast<DigitSet>(position.Candidates(cell) & ~set)});
    }
    position.Apply(shown);
    return position;
}

SudokuGrid SolutionOf(const char* text) {
    SudokuGrid grid = Parse(text).Digits;
    SudokuGrid solution{};
    if (Complete(grid, solution) != 1) throw std::invalid_argument("not one solution");
    return solution;
}

std::vector<std::string> WhatItDoes(const SudokuStep& step) {
    const auto cell = [](std::int32_t at) {
        return "r" + std::to_string(RowOf(at) + 1) + "c" + std::to_string(ColumnOf(at) + 1);
    };
    if (step.Places()) return {cell(step.Cell) + "=" + std::to_string(step.Digit)};
    std::vector<std::string> done;
    for (const SudokuRemoval& removal : step.Removals) {
        for (std::int32_t digit = 1; digit <= 9; ++digit) {
            if ((removal.Digits & DigitBit(digit)) != 0) done.push_back(cell(removal.Cell) + "-" + std::to_string(digit));
        }
    }
    return done;
}

}  // namespace vum::examples

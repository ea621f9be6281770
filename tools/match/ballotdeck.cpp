#include "ballotdeck.h"

#include "engine/gamenode.h"

#include <cstdint>

namespace {

// FROM TO of each step, squares 1 to 32.
const std::uint8_t Table[][2 * CBallotDeck::Steps] = {
#include "ballotdecktable.inc"
};

} // namespace

std::vector<COpening> CBallotDeck::openings()
{
    std::vector<COpening> deck;
    for (const auto &row : Table) {
        std::vector<COpening::Step> steps;
        steps.reserve(Steps);
        for (std::size_t step = 0; step < Steps; ++step)
            steps.emplace_back(row[2 * step] - 1, row[2 * step + 1] - 1);
        deck.emplace_back("", steps);
    }
    return deck;
}

std::vector<std::vector<COpening::Step>> CBallotDeck::sequences()
{
    std::vector<std::vector<COpening::Step>> sequences;
    std::vector<COpening::Step> line;
    extend(CPosition(), line, sequences);
    return sequences;
}

void CBallotDeck::extend(const CGameState &position, std::vector<COpening::Step> &line,
                         std::vector<std::vector<COpening::Step>> &sequences)
{
    if (line.size() == Steps) {
        sequences.push_back(line);
        return;
    }
    CGameNode node(position, 0);
    while (const int *move = node.nextMove()) {
        CGameNode child(node);
        child.makeMove(move);
        line.emplace_back(move[0], move[1]);
        extend(child, line, sequences);
        line.pop_back();
    }
}

std::string CBallotDeck::table(const std::vector<std::vector<COpening::Step>> &sequences)
{
    std::string text;
    for (const auto &steps : sequences) {
        text += '{';
        for (const auto &[from, to] : steps)
            text += ' ' + std::to_string(from + 1) + ", " + std::to_string(to + 1) + ',';
        text.back() = ' ';
        text += "},\n";
    }
    return text;
}

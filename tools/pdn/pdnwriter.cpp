#include "pdnwriter.h"

#include "fentext.h"
#include "pdngametype.h"
#include "tools/position/position.h"

std::string CPdnWriter::write(const Tags &tags, const std::vector<Step> &steps, int result,
                              const std::vector<std::string> &comments)
{
    const std::string setUp = tags.fen.empty() ? "" : tag("SetUp", "1") + tag("FEN", tags.fen);
    const std::string termination
        = tags.termination.empty() ? "" : tag("Termination", tags.termination);
    const std::string timeControl
        = tags.timeControl.empty() ? "" : tag("TimeControl", tags.timeControl);
    return tag("Event", tags.event) + tag("Site", tags.site) + tag("Date", tags.date)
        + tag("Round", std::to_string(tags.round)) + tag("White", tags.white)
        + tag("Black", tags.black) + tag("Result", resultToken(result))
        + tag("GameType", CPdnGameType::ThisGame) + timeControl + setUp + termination + '\n'
        + moveText(tags.fen, steps, resultToken(result), comments);
}

std::string CPdnWriter::moveText(const std::string &fen, const std::vector<Step> &steps,
                                 const std::string &result,
                                 const std::vector<std::string> &comments)
{
    std::vector<std::string> tokens = moveTokens(fen, steps, comments);
    tokens.push_back(result);
    return wrapped(tokens);
}

std::string CPdnWriter::tag(const std::string &name, const std::string &value)
{
    std::string quoted;
    for (const char c : value) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return '[' + name + " \"" + quoted + "\"]\n";
}

// A multi-jump is one move, written with every landing square. The rules
// also let another piece of the same side make the next capture step of a
// sequence; there is no notation for that, so it is written as a further
// move of the same side, which a reader that follows the rules reads back.
std::vector<std::string> CPdnWriter::moveTokens(const std::string &fen,
                                                const std::vector<Step> &steps,
                                                const std::vector<std::string> &comments)
{
    std::vector<std::string> tokens;
    CPosition position;
    int moveNumber = 1;
    std::string error;
    if (!fen.empty())
        CFenText::parse(fen, position, moveNumber, error);
    // Black's first move after a FEN carries its number as "12...".
    const bool blackFirst = position.sideToMove == CGameState::Black;
    const std::string firstLabel = blackFirst ? std::to_string(moveNumber) + "... " : "";
    moveNumber -= blackFirst ? 0 : 1;
    int lastTo = -1;
    for (std::size_t index = 0; index < steps.size(); ++index) {
        const auto &[from, to] = steps[index];
        const bool inSequence = position.pendingCaptureCount > 0;
        if (inSequence && from == lastTo) {
            tokens.back() += 'x' + std::to_string(to + 1);
        } else {
            // A move number stays on the line of its move.
            const bool numbered = !inSequence && position.sideToMove == CGameState::White;
            int captured = -1;
            position.isLegalMove(from, to, captured);
            const std::string label = tokens.empty() ? firstLabel : "";
            tokens.push_back((numbered ? std::to_string(++moveNumber) + ". " : label)
                             + std::to_string(from + 1) + (captured == -1 ? '-' : 'x')
                             + std::to_string(to + 1));
        }
        position.makeMove(from, to);
        lastTo = to;
        if (index < comments.size() && !comments[index].empty())
            tokens.push_back('{' + comments[index] + '}');
    }
    return tokens;
}

std::string CPdnWriter::resultToken(int result)
{
    switch (result) {
    case CGameState::WhiteWins:
        return "1-0";
    case CGameState::BlackWins:
        return "0-1";
    default:
        return "1/2-1/2";
    }
}

std::string CPdnWriter::wrapped(const std::vector<std::string> &tokens)
{
    std::string text;
    std::size_t lineLength = 0;
    for (const std::string &token : tokens) {
        if (lineLength > 0 && lineLength + 1 + token.size() > LineWidth) {
            text += '\n';
            lineLength = 0;
        } else if (lineLength > 0) {
            text += ' ';
            ++lineLength;
        }
        text += token;
        lineLength += token.size();
    }
    return text + '\n';
}

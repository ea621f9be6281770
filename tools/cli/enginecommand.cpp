#include "enginecommand.h"

#include "engineoutput.h"
#include "enginesession.h"

#include <vector>

CEngineCommand::CEngineCommand(std::istream &in)
    : m_in(in)
{ }

std::string CEngineCommand::name() const
{
    return "engine";
}

std::vector<std::string> CEngineCommand::parameters() const
{
    return {};
}

std::string CEngineCommand::help() const
{
    return "speaks the engine protocol on standard input and output until \"quit\":\n"
           "hub, init, ping, pos pos=\"POS\" [moves=\"22-18 11-15 ...\"], level depth=N,\n"
           "level move-time=S [depth=N], level time=S [inc=I] [depth=N] (on a clock),\n"
           "go think seed=S (answered \"done move=F-T\"), stop, quit; steps in PDN squares 1 to "
           "32, blanks or tabs between them\n"
           "On a clock it searches depth after depth until its time, S seconds or a share of "
           "the clock, is spent, writes \"info depth=D score=V nodes=N time=T\" for each depth "
           "completed and answers with the deepest one; meanwhile it answers ping and stop at "
           "once, ends at quit or the end of the input, and refuses pos, level and go.\n"
           "The first word decides: a line whose first word is none of these is passed over "
           "whatever follows it; one whose arguments do not read (a quote not closed or outside "
           "a quoted value, text after a closing quote, '=' with no name, a name given twice) "
           "gets \"error message=...\", and so does a line with a NUL or a CR before its end. "
           "A UTF-8 byte-order mark at the start of the input is dropped. An answer is one line "
           "of printable ASCII: other bytes are escaped as \\xhh, a backslash as \\\\.";
}

bool CEngineCommand::run(const Call &call, std::string &) const
{
    CEngineOutput output(call.out);
    // A search still running at the end of the input ends with the session.
    CEngineSession session(output);
    std::string text;
    bool tooLong = false;
    for (bool first = true; !session.hasQuit() && readLine(text, tooLong); first = false) {
        if (first && text.rfind(CProtocolLine::ByteOrderMark, 0) == 0)
            text.erase(0, CProtocolLine::ByteOrderMark.size());
        const std::vector<CProtocolLine> answers = tooLong
            ? CEngineSession::error("a line over " + std::to_string(CProtocolLine::MaxLength)
                                    + " bytes")
            : session.answer(text);
        for (const CProtocolLine &answer : answers)
            output.write(answer);
        // Lost output ends the run; the command line reports it.
        if (output.failed())
            return true;
    }
    return true;
}

// The next line without its end, or as much of it as a line may hold, the
// rest read and left; false at the end of the input.
bool CEngineCommand::readLine(std::string &text, bool &tooLong) const
{
    text.clear();
    tooLong = false;
    for (int c = m_in.get(); c != std::char_traits<char>::eof(); c = m_in.get()) {
        if (c == '\n')
            return true;
        if (text.size() < CProtocolLine::MaxLength)
            text += static_cast<char>(c);
        else
            tooLong = true;
    }
    return !text.empty() || tooLong;
}

#include "protocolwords.h"

#include <algorithm>
#include <initializer_list>

namespace {

bool isOneOf(const std::string &word, std::initializer_list<const char *> words)
{
    return std::any_of(words.begin(), words.end(),
                       [&word](const char *known) { return word == known; });
}

} // namespace

bool CProtocolWords::isCommand(const std::string &word)
{
    return isOneOf(word, { Hub, Init, Ping, Pos, Level, Go, Stop, Quit });
}

bool CProtocolWords::isReply(const std::string &word)
{
    return isOneOf(word, { Id, Param, Wait, Ready, Pong, Done, Error });
}

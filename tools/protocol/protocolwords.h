#ifndef CHECKERS_TOOLS_PROTOCOL_PROTOCOLWORDS_H
#define CHECKERS_TOOLS_PROTOCOL_PROTOCOLWORDS_H

#include <string>

// The first words of the engine protocol's lines: the commands a referee
// sends and the replies an engine sends. A line whose first word the reader
// does not know is passed over, so that the protocol can grow.
class CProtocolWords
{
public:
    // The referee's commands.
    static constexpr const char *Hub = "hub";
    static constexpr const char *Init = "init";
    static constexpr const char *Ping = "ping";
    static constexpr const char *Pos = "pos";
    static constexpr const char *Level = "level";
    static constexpr const char *Go = "go";
    static constexpr const char *Stop = "stop";
    static constexpr const char *Quit = "quit";
    // Sent after the greeting and before init, to set a parameter:
    // set-param name=KEY value=VALUE. Not a command of the engine command,
    // which takes no parameter and so passes it over.
    static constexpr const char *SetParam = "set-param";

    // The engine's replies.
    static constexpr const char *Id = "id";
    static constexpr const char *Wait = "wait";
    // In the greeting, before wait, one for each parameter the engine
    // takes: param name=KEY value=DEFAULT type=...
    static constexpr const char *Param = "param";
    static constexpr const char *Ready = "ready";
    static constexpr const char *Pong = "pong";
    static constexpr const char *Done = "done";
    static constexpr const char *Error = "error";
    // What an engine searching on a clock says of each depth it completes:
    // no reply, so a referee that does not read it passes it over.
    static constexpr const char *Info = "info";

    // Whether word is one of the commands that the engine command knows.
    static bool isCommand(const std::string &word);
    // Whether word is one of the replies, which the referee knows.
    static bool isReply(const std::string &word);
};

#endif

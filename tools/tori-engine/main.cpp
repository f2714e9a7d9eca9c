// tori-engine: reads commands from standard input until quit or end of input.
#include "protocol.h"

#include <iostream>
#include <string>

int main()
{
    std::ios::sync_with_stdio(false);
    tori::EngineSession session;
    std::string line, reply;
    while (std::getline(std::cin, line)) {
        const bool more = session.command(line, reply);
        if (!reply.empty())
            std::cout << reply << '\n' << std::flush;
        if (!more)
            break;
    }
    return 0;
}

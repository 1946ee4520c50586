#pragma once

#include <iosfwd>
#include <string>
#include <vector>

/**
 * kvkturn: reads a turn's files where the program is not at hand, with the program's own
 * readers. Commands (the unit file names the turn; its combat file is found beside it):
 *   show TURN.kvk [--json]   every unit on the map and every combat, as text or JSON
 *   report TURN.kvk          the movement report a save of this turn would write
 *   check TURN.kvk           checks the unit file and the combat file
 * Exit status: 0 done, 1 a file is missing, unreadable or damaged (the message names it and
 * the fault), 2 bad usage.
 */
class TurnCommand {
public:
    static constexpr int Done = 0;
    static constexpr int BadFile = 1;
    static constexpr int BadUsage = 2;

    /** Runs one command line (without the program name); output and messages go to out, err. */
    static int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
    static const char* Usage();
};
